// What a launch request comes to before anything is started: only web addresses leave the
// folder, a link or a document never starts a program, and a process's program gets its command
// line in the form it reads paths.
#include "platform/shell/launch_plan.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

class LaunchPlans : public ::testing::Test {
 protected:
  LaunchPlans() { fs::create_directories(show_ / "procesy"); }
  ~LaunchPlans() override { fs::remove_all(show_); }

  std::string Write(const std::string& name, const std::string& bytes, bool runnable) {
    const fs::path path = show_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, runnable ? fs::perms::owner_all : fs::perms::owner_read);
    return path.string();
  }
  std::string Folder() const { return show_.string() + "/"; }

  fs::path show_ = fs::temp_directory_path() / ("velmorant-plan-" + std::to_string(::getpid()));
};

TEST_F(LaunchPlans, OnlyWebAddressesAreOpenedAsAddresses) {
  for (const char* address : {"http://example.org/", "HTTPS://example.org/a?b", "ftp://x.org/f",
                              "mailto:biuro@example.org"}) {
    const LaunchPlan plan = PlanLaunch({"open", address, "", "", ""});
    EXPECT_EQ(plan.action, LaunchAction::kOpenAddress) << address;
    EXPECT_EQ(plan.target, address);
  }
  for (const char* address : {"smb://host/share/x.exe", "javascript:alert(1)", "file:///bin/sh",
                              "gopher://x", "http://example.org/\nx"}) {
    const LaunchPlan plan = PlanLaunch({"open", address, "", "", ""});
    EXPECT_EQ(plan.action, LaunchAction::kRefuse) << address;
    EXPECT_FALSE(plan.why.empty());
  }
  EXPECT_EQ(PlanLaunch({"explore", "http://example.org/", "", "", ""}).action,
            LaunchAction::kRefuse);
}

TEST_F(LaunchPlans, ALinkOrADocumentNeverStartsAProgramWhateverItsRunBit) {
  const std::vector<std::string> programs{
      Write("procesy/tool.pdf",
            "\x7f"
            "ELF",
            true),
      Write("procesy/prog.sh", "#!/bin/sh\n", false), Write("procesy/setup.exe", "MZ", false),
      Write("procesy/start.desktop", "[Desktop Entry]\n", false)};
  for (const std::string& path : programs) {
    const LaunchPlan plan = PlanLaunch({"open", path, "", "", ""});
    EXPECT_EQ(plan.action, LaunchAction::kRefuse) << path;
    EXPECT_NE(plan.why.find("only processes"), std::string::npos) << plan.why;
  }
  EXPECT_EQ(PlanLaunch({"open", Write("raport.pdf", "%PDF", false), "", "", ""}).action,
            LaunchAction::kOpenFile);
  EXPECT_EQ(PlanLaunch({"open", (show_ / "procesy").string(), "", "", ""}).action,
            LaunchAction::kOpenFolder);
  // A missing file is no refusal: it fails when it is opened.
  EXPECT_EQ(PlanLaunch({"open", (show_ / "missing.pdf").string(), "", "", ""}).action,
            LaunchAction::kOpenFile);
}

TEST_F(LaunchPlans, AProcessStartsItsProgramWithTheCommandLineAsTheProgramReadsIt) {
  LaunchRequest native{"open", Write("procesy/pokaz.sh", "#!/bin/sh\n", true),
                       R"(#dane\plik.txt /p)", "", Folder()};
  native.program = true;
  LaunchPlan plan = PlanLaunch(native);
  EXPECT_EQ(plan.action, LaunchAction::kRunNative);
  EXPECT_EQ(plan.command_line, Folder() + "dane/plik.txt /p");
  EXPECT_EQ(plan.arguments, (Words{Folder() + "dane/plik.txt", "/p"}));

  LaunchRequest windows = native;
  windows.file = Write("procesy/prog.exe", "MZ", false);
  plan = PlanLaunch(windows);
  EXPECT_EQ(plan.action, LaunchAction::kRunWindows);
  std::string drive = "Z:" + Folder();
  std::replace(drive.begin(), drive.end(), '/', '\\');
  EXPECT_EQ(plan.command_line, drive + R"(dane\plik.txt /p)");
  // The same file test whether the file is there or not: a missing .exe is still a Windows one.
  windows.file = (show_ / "procesy/missing.exe").string();
  EXPECT_EQ(PlanLaunch(windows).command_line, plan.command_line);

  LaunchRequest batch = native;
  batch.file = Write("procesy/go.bat", "@echo off", false);
  EXPECT_EQ(PlanLaunch(batch).action, LaunchAction::kRunWindowsBatch);
  batch.file = Write("procesy/old.com", "x", false);
  EXPECT_EQ(PlanLaunch(batch).action, LaunchAction::kRefuse);
  // A process naming a document opens it; nothing gets the command line.
  LaunchRequest document = native;
  document.file = Write("procesy/readme.txt", "words", false);
  plan = PlanLaunch(document);
  EXPECT_EQ(plan.action, LaunchAction::kOpenFile);
  EXPECT_EQ(plan.command_line, "");
}

}  // namespace
}  // namespace velmorant::platform
