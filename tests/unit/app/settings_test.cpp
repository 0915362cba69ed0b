#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "app/settings.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;
using platform::Rect;
using platform::Size;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::path(::testing::TempDir()) / (std::string("velmorant-settings-") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "obrazy");
    fs::create_directories(root_ / "Przyciski");
    Touch("obrazy/a.bmp");
    Touch("obrazy/LOGO.BMP");
    Touch("obrazy/LOGO.MSK");
    Touch("Przyciski/mapa.bmp");
  }
  void TearDown() override { fs::remove_all(root_); }
  void Touch(const std::string& relative) { std::ofstream(root_ / relative) << "data"; }
  TOgolne Settings() { return TOgolne(root_, *platform::CodePage::Open(1250)); }
  std::string Root() const { return root_.string() + "/"; }

  fs::path root_;
};

TEST_F(SettingsTest, AssetPathsJoinFolderAndName) {
  auto s = Settings();
  EXPECT_EQ(s.ExeFolder, Root());
  EXPECT_EQ(s.AssetPath(kAssetImages, "a.bmp", false), Root() + "obrazy/a.bmp");
  EXPECT_EQ(s.AssetPath(kAssetImages, "logo.bmp", false), Root() + "obrazy/LOGO.BMP");
  EXPECT_EQ(s.AssetPath(kAssetButtons, "MAPA.bmp", false), Root() + "Przyciski/mapa.bmp");
  EXPECT_EQ(s.AssetFolder(kAssetBackgrounds), Root() + "tla");
  EXPECT_EQ(s.AssetFolder(18), "");
  EXPECT_EQ(s.AssetPath(18, "a.bmp", false), "");
  EXPECT_EQ(s.AssetPath(32, "a.bmp", false), "");
  EXPECT_EQ(s.AssetPath(kAssetAsGiven, "/opt/x.exe", true), "/opt/x.exe");
  EXPECT_EQ(s.AssetPath(kAssetAsGiven, "obrazy\\a.bmp", false), Root() + "obrazy/a.bmp");
  EXPECT_EQ(s.AssetPath(kAssetImages, "..\\..\\etc\\passwd", false), "");
  EXPECT_EQ(s.LogPath(Root() + "obrazy/a.bmp"), "obrazy/a.bmp");
}

TEST_F(SettingsTest, FolderNamesComeFromTheHeader) {
  auto s = Settings();
  TOgolneFields header;
  header.ImagesFolder = "PRZYCISKI";
  s.SetHeader(header);
  EXPECT_EQ(s.AssetPath(kAssetImages, "mapa.bmp", false), Root() + "Przyciski/mapa.bmp");
}

TEST_F(SettingsTest, AlternateAssetsArePreferredWhenTheyExist) {
  auto s = Settings();
  EXPECT_EQ(s.AssetPath(kAssetImages, "a.bmp", true), Root() + "obrazy/a.bmp");
  Touch("obrazy/EXT_a.bmp");
  auto with_alt = Settings();
  EXPECT_EQ(with_alt.AssetPath(kAssetImages, "a.bmp", true), Root() + "obrazy/EXT_a.bmp");
  EXPECT_EQ(with_alt.AssetPath(kAssetImages, "a.bmp", false), Root() + "obrazy/a.bmp");
  // The as-given kind never looks for an alternate.
  EXPECT_EQ(with_alt.AssetPath(kAssetAsGiven, "obrazy\\a.bmp", true), Root() + "obrazy/a.bmp");
}

TEST_F(SettingsTest, MaskLiesBesideItsPicture) {
  auto s = Settings();
  EXPECT_EQ(s.MaskPath(Root() + "obrazy/LOGO.BMP"), Root() + "obrazy/LOGO.MSK");
  EXPECT_EQ(s.MaskPath(Root() + "obrazy/logo.bmp"), Root() + "obrazy/LOGO.MSK");
  EXPECT_EQ(s.MaskPath(Root() + "obrazy/a.bmp"), Root() + "obrazy/a.msk");
}

TEST_F(SettingsTest, MaskOfAShortNameDoesNotCutIntoTheFolderName) {
  // The cut of "ab" would eat into the folder's own name and name a file beside the folder.
  std::ofstream(root_.string() + "msk") << "outside";
  TOgolneFields header;
  header.ButtonsFolder = ".";
  auto s = Settings();
  s.SetHeader(header);
  Touch("ab");
  const std::string picture = s.AssetPath(kAssetButtons, "ab", false);
  EXPECT_EQ(picture, Root() + "ab");
  EXPECT_EQ(s.MaskPath(picture), "");
  // The rule still applies to the whole name inside the folder, folders included.
  EXPECT_EQ(s.MaskPath(Root() + "obrazy/ab"), Root() + "obrazymsk");
  EXPECT_EQ(s.MaskPath(Root() + "a.b"), Root() + "msk");
  EXPECT_EQ(s.MaskPath("/elsewhere/logo.bmp"), "");
  fs::remove(root_.string() + "msk");
}

class SettingsLinksTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    outside_ = root_.string() + "-outside";
    fs::create_directories(outside_ / "pictures");
    std::ofstream(outside_ / "secret.bmp") << "secret";
    std::ofstream(outside_ / "pictures" / "a.bmp") << "secret";
  }
  void TearDown() override {
    fs::remove_all(outside_);
    SettingsTest::TearDown();
  }
  fs::path outside_;
};

TEST_F(SettingsLinksTest, AssetsAndMasksLinkedOutOfTheFolderAreRefused) {
  fs::create_symlink(outside_ / "secret.bmp", root_ / "obrazy" / "out.bmp");
  fs::create_symlink(outside_ / "secret.bmp", root_ / "obrazy" / "a.msk");
  fs::create_symlink(outside_ / "secret.bmp", root_ / "obrazy" / "EXT_LOGO.BMP");
  fs::create_symlink(outside_ / "pictures", root_ / "tla");
  fs::create_symlink("LOGO.BMP", root_ / "obrazy" / "alias.bmp");
  fs::create_symlink("obrazy", root_ / "napisy");
  auto s = Settings();
  EXPECT_EQ(s.AssetPath(kAssetImages, "out.bmp", false), "");
  EXPECT_EQ(s.AssetPath(kAssetBackgrounds, "a.bmp", false), "") << "a whole folder linked out";
  EXPECT_EQ(s.MaskPath(Root() + "obrazy/a.bmp"), "");
  // An alternate that leads out is no alternate.
  EXPECT_EQ(s.AssetPath(kAssetImages, "logo.bmp", true), Root() + "obrazy/LOGO.BMP");
  // Links that stay inside work, for files and for folders.
  EXPECT_EQ(s.AssetPath(kAssetImages, "alias.bmp", false), Root() + "obrazy/alias.bmp");
  EXPECT_EQ(s.AssetPath(kAssetCaptions, "logo.bmp", false), Root() + "napisy/LOGO.BMP");
  EXPECT_EQ(s.MaskPath(Root() + "napisy/LOGO.BMP"), Root() + "napisy/LOGO.MSK");
  EXPECT_FALSE(s.WarmUp(Root() + "obrazy/out.bmp"));
  EXPECT_TRUE(s.WarmUp(Root() + "obrazy/alias.bmp"));
}

TEST_F(SettingsTest, WarmUpReadsFilesOnly) {
  auto s = Settings();
  EXPECT_TRUE(s.WarmUp(Root() + "obrazy/a.bmp"));
  EXPECT_FALSE(s.WarmUp(Root() + "obrazy/none.bmp"));
  EXPECT_FALSE(s.WarmUp(Root() + "obrazy"));
}

DisplayCheck Check(int32_t resolution, int32_t colour, bool centred, int32_t sw, int32_t sh,
                   int32_t bits) {
  TOgolne s(fs::path("/nonexistent"), *platform::CodePage::Open(1250));
  s.ResolutionIndex = resolution;
  s.ColourIndex = colour;
  s.Centred = centred;
  return s.DisplayRect(sw, sh, bits);
}

TEST(DisplayRect, WorkedExamples) {
  EXPECT_EQ(Check(2, 0, true, 1024, 768, 32), (DisplayCheck{0, {112, 84, 912, 684}}));
  EXPECT_EQ(Check(2, 0, false, 1024, 768, 32), (DisplayCheck{0, {0, 0, 1024, 768}}));
  EXPECT_EQ(Check(3, 0, true, 800, 600, 32), (DisplayCheck{-1, {0, 0, 800, 600}}));
  EXPECT_EQ(Check(3, 0, false, 800, 600, 32), (DisplayCheck{-1, {0, 0, 800, 600}}));
  EXPECT_EQ(Check(3, 0, true, 1280, 720, 32), (DisplayCheck{0, {128, -24, 1152, 744}}));
  EXPECT_EQ(Check(0, 2, false, 1024, 768, 8).result, -2);
  EXPECT_EQ(Check(0, 3, false, 1024, 768, 8).result, 0);
  EXPECT_EQ(Check(3, 2, false, 800, 600, 8).result, -3);
  EXPECT_EQ(Check(0, 0, true, 1024, 768, 32), (DisplayCheck{0, {512, 384, 512, 384}}));
  // Indexes outside the tables set no requirement.
  EXPECT_EQ(Check(99, -1, true, 1024, 768, 1), (DisplayCheck{0, {512, 384, 512, 384}}));
}

TEST(DisplayRect, AVirtualScreenOfTheDesignSizeAsksNothingAndIsFilled) {
  TOgolne s(fs::path("/nonexistent"), *platform::CodePage::Open(1250));
  const Size sizes[] = {{0, 0}, {640, 480}, {800, 600}, {1024, 768}, {0, 0}, {0, 0}};
  const int32_t indexes[] = {0, 1, 2, 3, 4, -1};
  for (size_t i = 0; i < std::size(indexes); ++i) {
    s.ResolutionIndex = indexes[i];
    EXPECT_EQ(s.DesignSize(), sizes[i]) << indexes[i];
  }
  for (const bool centred : {false, true}) {
    s.Centred = centred;
    s.ResolutionIndex = 3;
    EXPECT_EQ(s.DisplayRect(1024, 768, 32), (DisplayCheck{0, {0, 0, 1024, 768}}));
  }
}

TEST(DisplayRect, QuestionsAndCaption) {
  EXPECT_EQ(kDisplayCheckCaption, "Velmorant 3.0");
  EXPECT_EQ(DisplayQuestion(-1), "Za mała rozdzielczość monitora... Startujemy?");
  EXPECT_EQ(DisplayQuestion(-2), "Trochę za mało kolorów... Startujemy?");
  EXPECT_EQ(DisplayQuestion(-3), "Za mało kolorów i rozdzielczości monitora... Startujemy?");
  EXPECT_EQ(DisplayQuestion(0), "");
}

}  // namespace
}  // namespace velmorant
