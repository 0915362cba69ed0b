// Every launch and termination is logged, failures warn once naming their target, --no-launch
// hands nothing on, and the headless shell's pretend processes run until they are ended.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/loop/clock.hpp"
#include "platform/shell/logged_shell.hpp"
#include "platform/shell/pretend_shell.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

// Succeeds with a pretend process, or fails with a reason.
class CountingShell final : public Shell {
 public:
  LaunchResult Launch(const LaunchRequest& request) override {
    ++launches;
    if (request.file.find("bad") != std::string::npos) return {false, nullptr, "no application"};
    return pretend.Launch(request);
  }
  PretendShell pretend;
  int launches = 0;
};

class ShellLogging : public ::testing::Test {
 protected:
  ShellLogging() {
    log_.SetFolder("/show");
    log_.Open(log_path_.string());
  }
  ~ShellLogging() override { fs::remove(log_path_); }

  std::vector<std::string> Lines() const {
    std::ifstream in(log_path_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  LoggedShell Make(bool no_launch) {
    auto inner = std::make_unique<CountingShell>();
    inner_ = inner.get();
    return LoggedShell(std::move(inner), log_, no_launch);
  }

  VirtualClock clock_;
  EventLog log_{clock_};
  fs::path log_path_ =
      fs::temp_directory_path() / ("velmorant-shell-log-" + std::to_string(::getpid()));
  CountingShell* inner_ = nullptr;
};

TEST_F(ShellLogging, LaunchesAndTerminationsAreLoggedWithPathsInThePresentation) {
  LoggedShell shell = Make(false);
  // Command lines as started are shown by StartedCommandLines, on real files.
  LaunchResult r = shell.Launch({"open", "/show/linki/a.html", "", "/show/linki", {}});
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_TRUE(r.process);
  EXPECT_EQ(r.process->ExitCode(), std::nullopt) << "a pretend process runs until it is ended";
  EXPECT_TRUE(r.process->Terminate(259));
  EXPECT_EQ(r.process->ExitCode(), 259);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         R"({"t":0,"event":"launch","verb":"open","file":"linki/a.html",)"
                         R"("params":"","dir":"linki","ok":true})",
                         R"({"t":0,"event":"terminate","file":"linki/a.html","ok":true})"}));
}

TEST_F(ShellLogging, AFailureIsLoggedAndWarnsOnceNamingItsTarget) {
  LoggedShell shell = Make(false);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(shell.Launch({"open", "/show/linki/bad.html", "", "/show/linki", {}}).ok);
  EXPECT_FALSE(shell.Launch({"open", "/show/linki/bad.html", "", "/show/linki", {}}).ok);
  shell.Refuse({"open", "..\\secret.txt", "", "", {}}, "outside the presentation folder");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "velmorant: linki/bad.html: not opened: no application\n"
            "velmorant: ..\\secret.txt: not opened: outside the presentation folder\n");
  ASSERT_EQ(Lines().size(), 3u);
  for (const std::string& line : Lines()) EXPECT_NE(line.find(R"("ok":false)"), std::string::npos);
}

// A real folder with a native program, a Windows program and a program-like document.
class StartedCommandLines : public ShellLogging {
 protected:
  StartedCommandLines() {
    fs::create_directories(show_ / "procesy");
    Write("procesy/pokaz.sh", "#!/bin/sh\n", true);
    Write("procesy/prog.exe", "MZ", false);
    Write("linki/tool.pdf",
          "\x7f"
          "ELF",
          false);
    log_.SetFolder(Folder());
  }
  ~StartedCommandLines() override { fs::remove_all(show_); }

  void Write(const std::string& name, const std::string& bytes, bool runnable) {
    fs::create_directories((show_ / name).parent_path());
    std::ofstream(show_ / name, std::ios::binary) << bytes;
    fs::permissions(show_ / name, runnable ? fs::perms::owner_all : fs::perms::owner_read);
  }
  std::string Folder() const { return show_.string() + "/"; }
  LaunchRequest Process(const std::string& file) const {
    LaunchRequest r{"open", Folder() + file, R"(#dane\plik.txt "#" /p)", Folder() + "procesy",
                    Folder()};
    r.program = true;
    return r;
  }
  // The params of every launch event, in order.
  std::vector<std::string> Params() const {
    std::vector<std::string> params;
    for (const std::string& line : Lines()) {
      params.push_back(nlohmann::json::parse(line).at("params").get<std::string>());
    }
    return params;
  }

  fs::path show_ = fs::temp_directory_path() / ("velmorant-started-" + std::to_string(::getpid()));
};

TEST_F(StartedCommandLines, TheLogShowsTheCommandLineAsStartedTheSameWithAndWithoutLaunching) {
  std::string drive = "Z:" + Folder();
  std::replace(drive.begin(), drive.end(), '/', '\\');
  const std::vector<std::string> expected{Folder() + "dane/plik.txt \"" + Folder() + "\" /p",
                                          drive + "dane\\plik.txt \"" + drive + "\" /p"};
  for (bool no_launch : {false, true}) {
    SCOPED_TRACE(no_launch ? "--no-launch" : "headless");
    fs::remove(log_path_);
    log_.Open(log_path_.string());
    LoggedShell shell = Make(no_launch);
    shell.Launch(Process("procesy/pokaz.sh"));
    shell.Launch(Process("procesy/prog.exe"));
    EXPECT_EQ(Params(), expected);
  }
}

TEST_F(StartedCommandLines, AProgramOpenedThroughALinkIsRefusedWithOneWarning) {
  LoggedShell shell = Make(false);
  const LaunchRequest link{"open", Folder() + "linki/tool.pdf", "", Folder() + "linki", {}};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(shell.Launch(link).ok);
  EXPECT_FALSE(shell.Launch(link).ok);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "velmorant: linki/tool.pdf: not opened: a program: only processes start programs\n");
  EXPECT_EQ(inner_->launches, 0);
  EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(ShellLogging, NoLaunchHandsNothingOnAndLogsEachAttempt) {
  LoggedShell shell = Make(true);
  ::testing::internal::CaptureStderr();
  LaunchResult r = shell.Launch({"open", "https://example.org/", "", "/show/linki", {}});
  shell.Refuse({"open", "..\\x", "", "", {}}, "outside the presentation folder");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.process);
  EXPECT_EQ(inner_->launches, 0);
  EXPECT_EQ(Lines().size(), 2u);
}

}  // namespace
}  // namespace velmorant::platform
