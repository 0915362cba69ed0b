// The zenity dialog as the folder chooser, with stand-in programs in its place.
#include "platform/chooser/zenity_folder_chooser.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_files.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using Outcome = FolderChoice::Outcome;

class ZenityChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = velmorant::testing::FreshTestFolder("velmorant-zenity-");
    fs::create_directories(work_ / "bin");
  }
  void TearDown() override { fs::remove_all(work_); }

  // A zenity that runs `body` as a shell script.
  FolderChoice Answer(const std::string& body) {
    const fs::path program = work_ / "bin" / "zenity";
    std::ofstream(program) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(program, fs::perms::owner_all);
    const std::string path = (work_ / "bin").string();
    auto chooser = ZenityFolderChooser::Find(path.c_str());
    if (!chooser) return {Outcome::kFailed, {}, "not found"};
    return chooser->Choose("Pick a show");
  }

  fs::path work_;
};

TEST_F(ZenityChooser, ThePathPrintedIsTheFolderChosenAsItIs) {
  // Its arguments come back as the answer: a dialog for folders, with the title.
  const FolderChoice asked = Answer("echo \"$*\"");
  EXPECT_EQ(asked.outcome, Outcome::kChosen);
  EXPECT_EQ(asked.folder, "--file-selection --directory --title=Pick a show");

  const FolderChoice spaced = Answer("printf '/shows/  two words \\n\\n'");
  EXPECT_EQ(spaced.folder, "/shows/  two words \n") << "only the last line break is the end";
}

TEST_F(ZenityChooser, StatusOneIsCancelAndEverythingElseAFailure) {
  EXPECT_EQ(Answer("exit 1").outcome, Outcome::kCancelled);
  const FolderChoice broken = Answer("echo /somewhere; exit 5");
  EXPECT_EQ(broken.outcome, Outcome::kFailed);
  EXPECT_NE(broken.problem.find("status 5"), std::string::npos) << broken.problem;
  EXPECT_EQ(Answer("exit 0").outcome, Outcome::kFailed) << "no folder named";
  EXPECT_EQ(Answer("kill -9 $$").outcome, Outcome::kFailed);
}

TEST_F(ZenityChooser, TheDialogReadsNoInputAndKeepsItsChatterToItself) {
  // Would wait for ever on a terminal's input; its stderr is not the player's.
  ::testing::internal::CaptureStderr();
  const FolderChoice read = Answer("echo Gtk-Message >&2; cat; echo /done");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(read.folder, "/done");
}

TEST_F(ZenityChooser, OnlyAnExecutableFileInAnAbsoluteFolderOfPathIsTaken) {
  fs::create_directories(work_ / "plain" / "zenity");  // a folder of that name
  fs::create_directories(work_ / "text");
  std::ofstream(work_ / "text" / "zenity") << "not a program";
  std::ofstream(work_ / "bin" / "zenity") << "#!/bin/sh\n";
  fs::permissions(work_ / "bin" / "zenity", fs::perms::owner_all);
  const std::string dirs = (work_ / "plain").string() + ":" + (work_ / "text").string() +
                           "::bin:" + (work_ / "bin").string();
  EXPECT_EQ(FindOnPath("zenity", dirs.c_str()), work_ / "bin" / "zenity");
  EXPECT_FALSE(FindOnPath("zenity", "bin:.:"));
  EXPECT_FALSE(FindOnPath("zenity", nullptr));
}

}  // namespace
}  // namespace velmorant::platform
