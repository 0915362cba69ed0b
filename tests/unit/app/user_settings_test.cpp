#include "app/user_settings.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;
using platform::ScaleMode;

TEST(UserSettings, ReadsScaleAndDisplayAndNamesWhatItCannotUse) {
  const UserSettings s = ParseUserSettings(
      "# mine\r\n"
      "[desktop]\r\n"
      "  Scale =  Integer \r\n"
      "; the second monitor\n"
      "display=1\n"
      "\n"
      "volume = 3\n"
      "scale = huge\n"
      "display = -1\n"
      "display = 2x\n"
      "just words\n");
  EXPECT_EQ(s.scale, ScaleMode::kInteger) << "a bad later line keeps the good value";
  EXPECT_EQ(s.display, 1);
  ASSERT_EQ(s.warnings.size(), 5u);
  EXPECT_EQ(s.warnings[0].rfind("line 7: ", 0), 0u) << s.warnings[0];
  EXPECT_NE(s.warnings[0].find("volume"), std::string::npos);
  EXPECT_EQ(s.warnings[1].rfind("line 8: ", 0), 0u);
  EXPECT_EQ(s.warnings[4].rfind("line 11: ", 0), 0u);

  EXPECT_EQ(ParseUserSettings("scale=stretch").scale, ScaleMode::kStretch) << "no final newline";
  EXPECT_EQ(ParseUserSettings("scale = fit\nscale = none\n").scale, ScaleMode::kNone)
      << "the last line wins";
  const UserSettings empty = ParseUserSettings("");
  EXPECT_FALSE(empty.scale);
  EXPECT_FALSE(empty.display);
  EXPECT_TRUE(empty.warnings.empty());
}

TEST(UserSettings, TheFileLivesInTheConfigurationFolder) {
  EXPECT_EQ(UserSettingsPath("/cfg", "/home/u"), fs::path("/cfg/velmorant/settings.ini"));
  // The base directory rules ignore relative folders; $HOME/.config stands in.
  EXPECT_EQ(UserSettingsPath("cfg", "/home/u"), fs::path("/home/u/.config/velmorant/settings.ini"));
  EXPECT_EQ(UserSettingsPath("", "/home/u"), fs::path("/home/u/.config/velmorant/settings.ini"));
  EXPECT_EQ(UserSettingsPath(nullptr, nullptr), fs::path());
  EXPECT_EQ(UserSettingsPath(nullptr, "relative"), fs::path());
}

TEST(UserSettings, MissingFilesAreNoSettingsAndUnreadableOnesAWarning) {
  const fs::path work = testing::FreshTestFolder("velmorant-user-settings-");
  EXPECT_TRUE(ReadUserSettings(work / "none.ini").warnings.empty());
  EXPECT_TRUE(ReadUserSettings({}).warnings.empty());

  std::ofstream(work / "settings.ini") << "scale = fit\n";
  EXPECT_EQ(ReadUserSettings(work / "settings.ini").scale, ScaleMode::kFit);

  const auto special = testing::MakeSpecialFiles(work, "settings-", ".ini");
  testing::MakeSparseFile(work / "long.ini", kMaxUserSettingsBytes + 1);
  for (const fs::path& odd :
       {special.folder, special.pipe, special.device, special.huge, work / "long.ini"}) {
    const UserSettings s = ReadUserSettings(odd);
    EXPECT_FALSE(s.scale) << odd;
    EXPECT_EQ(s.warnings.size(), 1u) << odd;
  }
  fs::remove_all(work);
}

}  // namespace
}  // namespace velmorant
