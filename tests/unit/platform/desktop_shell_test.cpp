// The desktop shell with real processes: programs started directly with a Windows-split command
// line, documents, folders and addresses given to default applications (a test viewer made the
// default through temporary XDG folders), and ending what was started together with its children.
#include "platform/shell/desktop_shell.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "platform/shell/command_line_words.hpp"

#include "support/desktop_sandbox.hpp"

namespace velmorant::platform {
namespace {

using testing::DesktopSandbox;
using testing::RunRecord;
using testing::WaitUntilEnded;
namespace fs = std::filesystem;

class DesktopShellTest : public ::testing::Test {
 protected:
  DesktopShellTest() : sandbox_(DesktopSandbox::Get()), seen_(sandbox_.Seen()) {
    show_ =
        sandbox_.root /
        ("show-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(show_ / "procesy");
    fs::create_directories(show_ / "dokumenty/raport");
  }
  ~DesktopShellTest() override { fs::remove_all(show_); }

  std::string Folder(const std::string& name) const { return (show_ / name).string(); }
  RunRecord NextRun() {
    auto run = sandbox_.NextRun(seen_);
    EXPECT_TRUE(run) << "nothing ran";
    return run.value_or(RunRecord{});
  }

  const DesktopSandbox& sandbox_;
  std::set<std::string> seen_;
  fs::path show_;
  DesktopShell shell_{{std::chrono::milliseconds(100), kDebianWine32Loader}};
};

TEST_F(DesktopShellTest, ProgramRunsInItsFolderWithItsCommandLineSplitAsWindowsSplitsIt) {
  sandbox_.MakeRecorder(show_ / "procesy/pokaz.sh", DesktopSandbox::Stays::kNo);
  // A relative name is found in the request's folder; '#' is the presentation folder.
  LaunchResult r = shell_.Launch({"open", "pokaz.sh", R"(#dane\plik.txt /p "two words" a\"b "")",
                                  Folder("procesy"), show_.string() + "/", true});
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_TRUE(r.process);
  const RunRecord run = NextRun();
  EXPECT_EQ(run.cwd, Folder("procesy"));
  // A native program reads the path after '#' with its own separators.
  EXPECT_EQ(run.args, (std::vector<std::string>{show_.string() + "/dane/plik.txt", "/p",
                                                "two words", "a\"b", ""}));
}

TEST_F(DesktopShellTest, AProgramStartsWithOnlyStandardInputOutputAndError) {
  // A descriptor the player left inheritable, far from those the shell itself uses.
  const int leaked = ::fcntl(::open("/dev/null", O_RDONLY | O_CLOEXEC), F_DUPFD, 40);
  ASSERT_GE(leaked, 40);
  const fs::path program = show_ / "procesy/fds.sh";
  const fs::path out = show_ / "procesy/fds.txt";
  std::ofstream(program) << "#!/bin/sh\nif [ -e /proc/$$/fd/" << leaked
                         << " ]; then echo inherited; else echo closed; fi > " << out.string()
                         << ".tmp\nmv " << out.string() << ".tmp " << out.string() << "\n";
  fs::permissions(program, fs::perms::owner_all);
  LaunchRequest request{"open", program.string(), "", Folder("procesy"), {}};
  request.program = true;
  ASSERT_TRUE(shell_.Launch(request).ok);
  for (int tries = 0; tries < 1000 && !fs::exists(out); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::close(leaked);
  std::string seen;
  std::ifstream(out) >> seen;
  EXPECT_EQ(seen, "closed");
}

TEST_F(DesktopShellTest, ExitCodeIsNothingWhileTheProgramRunsThenItsCode) {
  const fs::path program = show_ / "procesy/three.sh";
  std::ofstream(program) << "#!/bin/sh\nexit 3\n";
  fs::permissions(program, fs::perms::owner_all);
  LaunchResult r = shell_.Launch({"open", program.string(), "", Folder("procesy"), {}, true});
  ASSERT_TRUE(r.process);
  std::optional<int> code;
  for (int tries = 0; tries < 1000 && !code; ++tries) {
    code = r.process->ExitCode();
    if (!code) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(code, 3);
}

TEST_F(DesktopShellTest, EndingAProgramEndsWhatItStartedToo) {
  sandbox_.MakeRecorder(show_ / "procesy/stays.sh", DesktopSandbox::Stays::kYes);
  LaunchResult r =
      shell_.Launch({"open", Folder("procesy/stays.sh"), "", Folder("procesy"), {}, true});
  ASSERT_TRUE(r.process);
  const RunRecord run = NextRun();
  EXPECT_EQ(r.process->ExitCode(), std::nullopt);
  EXPECT_TRUE(r.process->Terminate(259));
  EXPECT_TRUE(WaitUntilEnded(run.pid));
  EXPECT_TRUE(WaitUntilEnded(run.child));
  EXPECT_EQ(r.process->ExitCode(), 259);
}

TEST_F(DesktopShellTest, AProgramDeafToThePoliteSignalIsKilledAMomentLater) {
  sandbox_.MakeRecorder(show_ / "procesy/deaf.sh", DesktopSandbox::Stays::kIgnoringTerm);
  LaunchResult r =
      shell_.Launch({"open", Folder("procesy/deaf.sh"), "", Folder("procesy"), {}, true});
  ASSERT_TRUE(r.process);
  const RunRecord run = NextRun();
  EXPECT_TRUE(r.process->Terminate(259));  // returns at once, without waiting for the end
  EXPECT_TRUE(WaitUntilEnded(run.pid));
  EXPECT_TRUE(WaitUntilEnded(run.child));
}

TEST_F(DesktopShellTest, DocumentsOpenInTheirDefaultApplicationWhichIsHeld) {
  const fs::path notes = show_ / "dokumenty/raport/notatki.txt";
  std::ofstream(notes) << "plain text\n";
  LaunchResult r = shell_.Launch({"open", notes.string(), "", Folder("dokumenty/raport"), {}});
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_TRUE(r.process);
  const RunRecord run = NextRun();
  EXPECT_EQ(run.cwd, Folder("dokumenty/raport"));
  EXPECT_EQ(run.args, (std::vector<std::string>{notes.string()}));
  r.process->Terminate(259);
  EXPECT_TRUE(WaitUntilEnded(run.pid));
}

TEST_F(DesktopShellTest, AFileWithOnlyTheRunBitIsADocumentNotAProgram) {
  // As every file on a FAT stick or a disc is.
  const fs::path text = show_ / "procesy/readme.txt";
  std::ofstream(text) << "echo not a program\n";
  fs::permissions(text, fs::perms::owner_all);
  LaunchResult r = shell_.Launch({"open", text.string(), "--flag", Folder("procesy"), {}});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(NextRun().args, (std::vector<std::string>{text.string()}));
}

TEST_F(DesktopShellTest, ExploreOpensAFolderInTheFileManagerAndNothingElse) {
  LaunchResult r =
      shell_.Launch({"explore", Folder("dokumenty/raport"), "", Folder("dokumenty"), {}});
  ASSERT_TRUE(r.ok) << r.error;
  const RunRecord run = NextRun();
  EXPECT_EQ(run.args, (std::vector<std::string>{Folder("dokumenty/raport")}));
  EXPECT_EQ(run.cwd, Folder("dokumenty"));
  EXPECT_FALSE(shell_.Launch({"explore", Folder("dokumenty/missing"), "", {}, {}}).ok);
  std::ofstream(show_ / "dokumenty/plik.txt") << "x";
  EXPECT_FALSE(shell_.Launch({"explore", Folder("dokumenty/plik.txt"), "", {}, {}}).ok);
}

TEST_F(DesktopShellTest, AddressesGoToTheirSchemesApplicationUnchanged) {
  ASSERT_TRUE(shell_.Launch({"open", "https://example.org/a?b=c&d", "", {}, {}}).ok);
  EXPECT_EQ(NextRun().args, (std::vector<std::string>{"https://example.org/a?b=c&d"}));
  // A scheme nothing handles fails.
  LaunchResult r = shell_.Launch({"open", "gopher-velmorant://x", "", {}, {}});
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
}

// Puts a folder first on PATH for one test.
class PathFirst {
 public:
  explicit PathFirst(const fs::path& dir) {
    const char* path = std::getenv("PATH");
    old_ = path ? path : "";
    ::setenv("PATH", (dir.string() + ":" + old_).c_str(), 1);
  }
  PathFirst(const PathFirst&) = delete;
  PathFirst& operator=(const PathFirst&) = delete;
  ~PathFirst() { ::setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

TEST_F(DesktopShellTest, WindowsProgramsRunThroughWineWhichSeesThePresentationOnDriveZ) {
  fs::create_directories(show_ / "bin");
  sandbox_.MakeRecorder(show_ / "bin/wine", DesktopSandbox::Stays::kNo);
  PathFirst path(show_ / "bin");
  std::ofstream(show_ / "procesy/prog.exe") << "MZ";
  std::ofstream(show_ / "procesy/go.bat") << "@echo off";
  const std::string folder = show_.string() + "/";
  ASSERT_TRUE(
      shell_
          .Launch({"open", Folder("procesy/prog.exe"), "#dane /p", Folder("procesy"), folder, true})
          .ok);
  RunRecord run = NextRun();
  EXPECT_EQ(run.args, (std::vector<std::string>{Folder("procesy/prog.exe"),
                                                WineDrivePath(folder) + "dane", "/p"}));
  EXPECT_EQ(run.cwd, Folder("procesy"));
  ASSERT_TRUE(
      shell_.Launch({"open", Folder("procesy/go.bat"), "x", Folder("procesy"), folder, true}).ok);
  EXPECT_EQ(NextRun().args, (std::vector<std::string>{"cmd", "/c", Folder("procesy/go.bat"), "x"}));
}

TEST_F(DesktopShellTest, WhatCannotBeDoneFailsWithAReason) {
  std::ofstream(show_ / "procesy/old.com") << "MZ";
  std::ofstream(show_ / "procesy/prog.exe") << "MZ";
  std::vector<LaunchRequest> failing{
      {"open", "", "", {}, {}},
      {"open", Folder("procesy/missing.txt"), "", {}, {}},
      {"print", Folder("procesy/old.com"), "", {}, {}},
      {"open", Folder("procesy/old.com"), "", {}, {}},
  };
  const char* path = std::getenv("PATH");
  if (!FindUsableWine(path ? path : "", kDebianWine32Loader)) {
    failing.push_back({"open", Folder("procesy/prog.exe"), "", {}, {}});
  }
  for (const LaunchRequest& request : failing) {
    SCOPED_TRACE(request.verb + " " + request.file);
    LaunchResult r = shell_.Launch(request);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.process);
    EXPECT_FALSE(r.error.empty());
  }
}

}  // namespace
}  // namespace velmorant::platform
