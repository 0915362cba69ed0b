#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/entry.hpp"
#include "app/presentation_window.hpp"
#include "definition/loader.hpp"
#include "platform/window/headless_script.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

CommandLineResult Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "velmorant");
  return ParseCommandLine(int(args.size()), args.data());
}

TEST(CommandLine, ReadsEveryOption) {
  const auto r = Parse({"--headless", "-p", "show", "--script", "s.txt", "--snapshots", "out",
                        "--log", "-", "--screen", "800x600x16", "--answer", "no", "--codepage",
                        "1251", "--no-launch", "--scale", "integer", "7"});
  ASSERT_EQ(r.error, "");
  const CommandLine& o = r.options;
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.presentation->string(), "show");
  EXPECT_EQ(o.script->string(), "s.txt");
  EXPECT_EQ(o.snapshots.string(), "out");
  EXPECT_EQ(*o.log, "-");
  EXPECT_EQ(o.screen.width, 800);
  EXPECT_EQ(o.screen.height, 600);
  EXPECT_EQ(o.screen.bits, 16);
  EXPECT_EQ(o.answer, platform::MessageAnswer::kNo);
  EXPECT_EQ(o.codepage, 1251);
  EXPECT_TRUE(o.no_launch);
  EXPECT_EQ(o.interval, "7");
  EXPECT_EQ(o.scale, platform::ScaleMode::kInteger);
  EXPECT_FALSE(Parse({}).options.scale) << "no mode chosen is not none chosen";
}

TEST(CommandLine, UsageErrorsAreNamed) {
  EXPECT_NE(Parse({"--screen", "800x600"}).error, "");
  EXPECT_NE(Parse({"--screen", "0x600x32"}).error, "");
  EXPECT_NE(Parse({"--screen", "32768x32768x32"}).error, "") << "no surface that large";
  EXPECT_NE(Parse({"--screen", "800x600x33"}).error, "") << "colour depths are 1 to 32 bits";
  EXPECT_NE(Parse({"--screen", "800x600x0"}).error, "");
  EXPECT_EQ(Parse({"--screen", "800x600x1"}).error, "");
  EXPECT_NE(Parse({"--window", "axb"}).error, "");
  EXPECT_NE(Parse({"--answer", "maybe"}).error, "");
  EXPECT_NE(Parse({"--codepage", "x"}).error, "");
  EXPECT_NE(Parse({"--scale", "Fit"}).error, "");
  EXPECT_NE(Parse({"--scale", "2"}).error, "");
  EXPECT_NE(Parse({"--scale"}).error, "");
  EXPECT_NE(Parse({"--log"}).error, "");
  EXPECT_NE(Parse({"--frobnicate"}).error, "");
  EXPECT_NE(Parse({"5", "6"}).error, "");
  EXPECT_NE(Parse({"--script", "s.txt"}).error, "") << "a script needs --headless";
  EXPECT_NE(Parse({"--handout", "h.pdf"}).error, "") << "a handout needs --headless";
  EXPECT_NE(Parse({"--headless", "--handout", "h.pdf", "--script", "s.txt"}).error, "")
      << "the handout walks the pages itself";
  EXPECT_EQ(Parse({"--headless", "--handout", "h.pdf"}).error, "");
  EXPECT_NE(Parse({"--record", "r.mp4"}).error, "") << "a recording needs --headless";
  EXPECT_NE(Parse({"--headless", "--record", "r.mp4", "--handout", "h.pdf"}).error, "");
  for (const char* fps : {"0", "121", "-5", "25fps", ""}) {
    EXPECT_NE(Parse({"--headless", "--fps", fps}).error, "") << fps;
  }
  const CommandLine recorded = Parse({"--headless", "--record", "r.mp4", "--fps", "120"}).options;
  EXPECT_EQ(recorded.record, std::filesystem::path("r.mp4"));
  EXPECT_EQ(recorded.fps, 120);
  EXPECT_EQ(Parse({"--headless"}).options.fps, 25);
  EXPECT_EQ(Parse({"-3"}).error, "") << "a negative interval is an interval, not an option";
}

class PlayerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-run-");
    Definition def;
    def.TEkrany.push_back({});
    def.TMedia.push_back({0, 0, -1});
    NumberRecords(def);
    testing::WriteBytes(work_ / "show" / "info.med", WriteDefinition(def, 'g').bytes);
  }
  void TearDown() override { fs::remove_all(work_); }
  int Run(const fs::path& script) {
    const std::string show = (work_ / "show").string();
    const std::string script_path = script.string();
    std::vector<const char*> args = {"velmorant",  "--headless", "-p",
                                     show.c_str(), "--script",   script_path.c_str()};
    ::testing::internal::CaptureStderr();
    const int status = RunPlayer(int(args.size()), args.data());
    errors_ = ::testing::internal::GetCapturedStderr();
    return status;
  }

  fs::path work_;
  std::string errors_;
};

TEST_F(PlayerRun, AScriptThatIsNoRegularFileOrTooLargeIsAUsageError) {
  const auto special = testing::MakeSpecialFiles(work_, "script-", ".txt");
  testing::MakeSparseFile(work_ / "long.txt", platform::kMaxScriptBytes + 1);
  for (const fs::path& script :
       {special.pipe, special.folder, fs::path("/dev/zero"), work_ / "long.txt"}) {
    EXPECT_EQ(Run(script), 2) << script;
    EXPECT_NE(errors_.find("velmorant: script " + script.string() + ": "), std::string::npos)
        << errors_;
  }
  EXPECT_EQ(Run(work_ / "missing.txt"), 2);
}

TEST_F(PlayerRun, AScriptWithAByteOrderMarkPlays) {
  std::ofstream(work_ / "bom.txt", std::ios::binary) << "\xEF\xBB\xBFwait 10\r\nkey 27\r\n";
  EXPECT_EQ(Run(work_ / "bom.txt"), 0) << errors_;
  std::ofstream(work_ / "bad.txt", std::ios::binary) << "\x1b]0;title\x07\n";
  EXPECT_EQ(Run(work_ / "bad.txt"), 2);
  EXPECT_EQ(errors_.find('\x1b'), std::string::npos) << "control characters are escaped";
}

TEST(SlideShow, FirstArgumentInSecondsClampedAndOtherwiseZero) {
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("5"), 5000);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("0"), 0);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument(""), 0);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("100"), 100000);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("101"), 100000);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("99999999999999999999"), 100000);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("-3"), 0);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("+4"), 4000);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("abc"), 0);
  EXPECT_EQ(Tffmexec::SlideShowFromArgument("5s"), 0);
}

TEST(PrintToOption, NamesTheFolderForPrintedDocuments) {
  const auto r = Parse({"--headless", "--print-to", "printed"});
  ASSERT_EQ(r.error, "");
  ASSERT_TRUE(r.options.print_to.has_value());
  EXPECT_EQ(r.options.print_to->string(), "printed");
  EXPECT_FALSE(Parse({"--headless"}).options.print_to.has_value());
  EXPECT_NE(Parse({"--print-to"}).error, "");
  EXPECT_NE(UsageText().find("--print-to DIR"), std::string::npos);
}

}  // namespace
}  // namespace velmorant
