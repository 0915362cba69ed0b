#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/fs/asset_finder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

class AssetFinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::path(::testing::TempDir()) / (std::string("velmorant-finder-") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "obrazy" / "Sub");
    fs::create_directories(root_ / "Dzwieki");
    Touch("obrazy/logo.bmp");
    Touch("obrazy/Sub/Ąb.bmp");
    Touch("obrazy/źródło.BMP");
    Touch("Dzwieki/a.wav");
    Touch("outside-twin.bmp");
  }
  void TearDown() override { fs::remove_all(root_); }
  void Touch(const std::string& relative) { std::ofstream(root_ / relative) << "x"; }
  AssetFinder Finder() { return AssetFinder(root_, *CodePage::Open(1250)); }

  fs::path root_;
};

TEST_F(AssetFinderTest, MatchesEachComponentIgnoringCase) {
  auto finder = Finder();
  EXPECT_EQ(finder.Resolve("OBRAZY\\Logo.BMP"), "obrazy/logo.bmp");
  EXPECT_EQ(finder.Resolve("obrazy/logo.bmp"), "obrazy/logo.bmp");
  EXPECT_EQ(finder.Resolve("dzwieki\\A.WAV"), "Dzwieki/a.wav");
  // Polish letters in the code page: "SUB\ąB.bmp" and "ŹRÓDŁO.bmp".
  EXPECT_EQ(finder.Resolve("obrazy\\SUB\\\xb9"
                           "B.bmp"),
            "obrazy/Sub/Ąb.bmp");
  EXPECT_EQ(finder.Resolve("obrazy\\\x8fR\xd3"
                           "D\xa3O.bmp"),
            "obrazy/źródło.BMP");
  EXPECT_EQ(finder.Resolve("obrazy\\.\\\\logo.bmp"), "obrazy/logo.bmp");
}

TEST_F(AssetFinderTest, MissingComponentsStayAsWritten) {
  auto finder = Finder();
  EXPECT_EQ(finder.Resolve("Obrazy\\Brak\\Plik.BMP"), "obrazy/Brak/Plik.BMP");
  EXPECT_EQ(finder.Resolve("obrazy\\nic.bmp"), "obrazy/nic.bmp");
  EXPECT_FALSE(finder.IsRegularFile("obrazy/nic.bmp"));
}

TEST_F(AssetFinderTest, NamesLeavingTheFolderGiveNoPath) {
  auto finder = Finder();
  EXPECT_FALSE(finder.Resolve("..\\secret"));
  EXPECT_FALSE(finder.Resolve("obrazy\\..\\..\\secret"));
  EXPECT_FALSE(finder.Resolve("obrazy/../outside-twin.bmp"));
  EXPECT_FALSE(finder.Resolve("/etc/passwd"));
  EXPECT_FALSE(finder.Resolve("\\windows\\win.ini"));
  EXPECT_FALSE(finder.Resolve("C:\\autoexec.bat"));
  EXPECT_FALSE(finder.Resolve("c:logo.bmp"));
}

TEST_F(AssetFinderTest, NamesUsedAsGivenMayLeaveTheFolder) {
  auto finder = Finder();
  EXPECT_EQ(finder.ResolveAsGiven("/usr/bin/true"), "/usr/bin/true");
  EXPECT_EQ(finder.ResolveAsGiven("C:\\x.exe"), "C:/x.exe");
  EXPECT_EQ(finder.ResolveAsGiven("OBRAZY\\LOGO.bmp"), "obrazy/logo.bmp");
  EXPECT_EQ(finder.ResolveAsGiven("..\\x"), "../x");
}

TEST_F(AssetFinderTest, RegularFilesAreToldFromFolders) {
  auto finder = Finder();
  EXPECT_TRUE(finder.IsRegularFile("obrazy/logo.bmp"));
  EXPECT_FALSE(finder.IsRegularFile("obrazy"));
  EXPECT_FALSE(finder.IsRegularFile("obrazy/none"));
}

TEST_F(AssetFinderTest, LinksAreFollowedOnlyWhileTheyStayInside) {
  // Beside the folder, with a name the folder's name is a prefix of.
  const fs::path outside = root_.string() + "-outside";
  fs::create_directories(outside / "folder");
  std::ofstream(outside / "secret.bmp") << "x";
  std::ofstream(outside / "folder" / "Inner.bmp") << "x";
  fs::create_symlink(outside / "secret.bmp", root_ / "obrazy" / "out.bmp");
  fs::create_symlink(outside / "folder", root_ / "linked");
  fs::create_symlink("../../..", root_ / "obrazy" / "up");
  fs::create_symlink("logo.bmp", root_ / "obrazy" / "alias.bmp");
  fs::create_symlink("../obrazy", root_ / "Dzwieki" / "pictures");
  auto finder = Finder();
  EXPECT_TRUE(finder.StaysInside("obrazy/alias.bmp"));
  EXPECT_TRUE(finder.IsRegularFile("obrazy/alias.bmp"));
  EXPECT_TRUE(finder.StaysInside("Dzwieki/pictures/logo.bmp"));
  EXPECT_EQ(finder.Resolve("dzwieki\\PICTURES\\Logo.bmp"), "Dzwieki/pictures/logo.bmp");
  EXPECT_TRUE(finder.StaysInside("obrazy/not-there-yet.bmp"));
  EXPECT_TRUE(finder.StaysInside(""));
  EXPECT_FALSE(finder.StaysInside("obrazy/out.bmp"));
  EXPECT_FALSE(finder.IsRegularFile("obrazy/out.bmp"));
  EXPECT_FALSE(finder.StaysInside("linked/Inner.bmp"));
  EXPECT_FALSE(finder.StaysInside("linked/not-there.bmp"));
  EXPECT_FALSE(finder.StaysInside("obrazy/up/etc"));
  // A folder outside is not even listed: its files are not matched case-insensitively.
  EXPECT_EQ(finder.Resolve("linked\\inner.bmp"), "linked/inner.bmp");
  fs::remove_all(outside);
}

TEST_F(AssetFinderTest, ExactSpellingWinsOverOtherCases) {
  Touch("obrazy/LOGO.bmp");
  auto finder = Finder();
  EXPECT_EQ(finder.Resolve("obrazy\\LOGO.bmp"), "obrazy/LOGO.bmp");
  EXPECT_EQ(finder.Resolve("obrazy\\logo.bmp"), "obrazy/logo.bmp");
  EXPECT_EQ(finder.Resolve("obrazy\\Logo.bmp"), "obrazy/LOGO.bmp");  // first in sorted order
}

}  // namespace
}  // namespace velmorant::platform
