#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "app/presentation_window.hpp"

namespace velmorant {
namespace {

CommandLineResult Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "velmorant");
  return ParseCommandLine(int(args.size()), args.data());
}

TEST(CommandLine, ReadsEveryOption) {
  const auto r =
      Parse({"--headless", "-p", "show", "--script", "s.txt", "--snapshots", "out", "--log", "-",
             "--screen", "800x600x16", "--answer", "no", "--codepage", "1251", "--no-launch", "7"});
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
}

TEST(CommandLine, UsageErrorsAreNamed) {
  EXPECT_NE(Parse({"--screen", "800x600"}).error, "");
  EXPECT_NE(Parse({"--screen", "0x600x32"}).error, "");
  EXPECT_NE(Parse({"--screen", "32768x32768x32"}).error, "") << "no surface that large";
  EXPECT_NE(Parse({"--window", "axb"}).error, "");
  EXPECT_NE(Parse({"--answer", "maybe"}).error, "");
  EXPECT_NE(Parse({"--codepage", "x"}).error, "");
  EXPECT_NE(Parse({"--log"}).error, "");
  EXPECT_NE(Parse({"--frobnicate"}).error, "");
  EXPECT_NE(Parse({"5", "6"}).error, "");
  EXPECT_NE(Parse({"--script", "s.txt"}).error, "") << "a script needs --headless";
  EXPECT_EQ(Parse({"-3"}).error, "") << "a negative interval is an interval, not an option";
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
