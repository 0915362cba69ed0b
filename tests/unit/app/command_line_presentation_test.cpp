// Opening a presentation as a file manager does: the folder or its info.med as the argument.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/command_line.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

CommandLineResult Parse(std::vector<std::string> args) {
  std::vector<const char*> argv{"velmorant"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  return ParseCommandLine(int(argv.size()), argv.data());
}

class PresentationArgument : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("velmorant-args-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "show");
    fs::create_directories(root_ / "12");
    std::ofstream(root_ / "show" / "INFO.MED") << "x";
    std::ofstream(root_ / "show" / "other.med") << "x";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(PresentationArgument, FolderOrItsDefinitionNamesThePresentation) {
  const std::string show = (root_ / "show").string();
  for (const std::string& arg : {show, show + "/INFO.MED"}) {
    const auto r = Parse({arg, "5"});
    ASSERT_EQ(r.error, "") << arg;
    EXPECT_EQ(*r.options.presentation, fs::path(show)) << arg;
    EXPECT_EQ(r.options.interval, "5") << "the interval may follow";
  }
  const auto p = Parse({"-p", show + "/INFO.MED"});
  EXPECT_EQ(*p.options.presentation, fs::path(show)) << "-p takes the info.med too";
}

TEST_F(PresentationArgument, NumbersAndOtherFilesStayIntervals) {
  // A folder named like a number is still the slide-show interval.
  const fs::path here = fs::current_path();
  fs::current_path(root_);
  const auto number = Parse({"12"});
  fs::current_path(here);
  EXPECT_FALSE(number.options.presentation);
  EXPECT_EQ(number.options.interval, "12");

  const auto other = Parse({(root_ / "show" / "other.med").string()});
  EXPECT_FALSE(other.options.presentation);
  const auto missing = Parse({(root_ / "nowhere").string()});
  EXPECT_FALSE(missing.options.presentation) << "a folder that does not exist is no slide show";
  EXPECT_EQ(missing.options.interval, (root_ / "nowhere").string());

  const auto both = Parse({"-p", (root_ / "show").string(), (root_ / "12").string()});
  EXPECT_EQ(both.options.interval, (root_ / "12").string()) << "-p wins; the rest is an interval";
}

TEST(CommandLineDisplay, MonitorNumber) {
  EXPECT_EQ(*Parse({"--display", "1"}).options.display, 1);
  EXPECT_NE(Parse({"--display", "-1"}).error, "");
  EXPECT_NE(Parse({"--display", "one"}).error, "");
  EXPECT_NE(Parse({"--display"}).error, "");
}

}  // namespace
}  // namespace velmorant
