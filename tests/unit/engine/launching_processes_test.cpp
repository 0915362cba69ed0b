// Links, documents and processes with the desktop's real shell: programs a screen started never
// outlive it, a running one is not started twice, one that ended can be started again, and
// documents open by themselves in their default application.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/shell/desktop_shell.hpp"
#include "support/backend_with_shell.hpp"
#include "support/desktop_sandbox.hpp"
#include "unit/engine/launching_host.hpp"

namespace velmorant {
namespace {

using testing::DesktopSandbox;
using testing::RunRecord;
using testing::WaitUntilEnded;
namespace fs = std::filesystem;

// Assets in a real folder: each kind's folder is FOLDER/KIND.
class FolderAssets final : public AssetSource {
 public:
  explicit FolderAssets(fs::path root) : root_(std::move(root)) {}
  std::string PathOf(int32_t kind, const std::string& name) override {
    std::string path = FolderOf(kind) + "/" + name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }
  std::string FolderOf(int32_t kind) override { return (root_ / std::to_string(kind)).string(); }
  std::string PresentationFolder() const override { return root_.string() + "/"; }
  SharedPicture Picture(int32_t, const std::string&) override { return nullptr; }
  std::optional<std::vector<uint8_t>> FileBytes(int32_t, const std::string&) override {
    return std::nullopt;
  }
  MaskedPicture PictureWithMask(int32_t, const std::string&, const std::string&) override {
    return {};
  }
  void WarmUp(int32_t, const std::string&) override {}
  void WarmUpMask(int32_t, const std::string&) override {}

 private:
  fs::path root_;
};

class LaunchingProcesses : public ::testing::Test {
 protected:
  LaunchingProcesses() : sandbox_(DesktopSandbox::Get()), seen_(sandbox_.Seen()) {
    fs::create_directories(ProcessesFolder());
    fs::create_directories(show_ / std::to_string(kAssetDocuments) / "raport");
    testing::UseLaunchingKinds(host_, platform_);
    host_.assets_override = &assets_;
  }
  ~LaunchingProcesses() override { fs::remove_all(show_); }

  fs::path ProcessesFolder() const { return show_ / std::to_string(kAssetProcesses); }

  // One screen with the records; its map's buttons 0 and 1 start and stop process 0.
  void Load(std::vector<TPro> processes, std::vector<TDok> documents = {}) {
    Definition d;
    TMap map;
    map.Regions = {TReg{}, TReg{}};
    d.TMapy = {map};
    d.TProcesy = std::move(processes);
    d.TDoki = std::move(documents);
    TEkr screen;
    for (int32_t i = 0; i < int32_t(d.TProcesy.size()); ++i) screen.Processes.Add(i);
    for (int32_t i = 0; i < int32_t(d.TDoki.size()); ++i) screen.Documents.Add(i);
    d.TEkrany = {screen};
    TMed page;
    page.Screen = 0;
    d.TMedia = {page};
    host_.Load(std::move(d));
  }
  // The page's phases up to active, and from active to hidden.
  void Enter() {
    TDisplay& display = host_.display;
    display.ShowPage();
    display.ComposePage();
    display.StartPage();
    display.ActivatePage();
  }
  void Leave() {
    host_.display.StopPage();
    host_.display.HidePage();
  }
  void Click(int32_t region) { host_.kinds.Controls().Click(0, region); }
  RunRecord NextRun() {
    auto run = sandbox_.NextRun(seen_);
    EXPECT_TRUE(run) << "nothing ran";
    return run.value_or(RunRecord{});
  }
  bool RanAgain() {
    // Nothing new within a second: it was not started.
    for (int tries = 0; tries < 100; ++tries) {
      if (sandbox_.Seen().size() > seen_.size()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  const DesktopSandbox& sandbox_;
  std::set<std::string> seen_;
  fs::path show_ =
      sandbox_.root /
      ("show-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  testing::FakeEngineHost host_;
  platform::DesktopShell shell_{{std::chrono::milliseconds(100), platform::kDebianWine32Loader}};
  testing::BackendWithShell platform_{host_.backend, shell_};
  FolderAssets assets_{show_};
};

TEST_F(LaunchingProcesses, AScreensProgramStartsOnceAndEndsWithTheScreen) {
  sandbox_.MakeRecorder(ProcessesFolder() / "stays.sh", DesktopSandbox::Stays::kYes);
  Load({TPro{"p", "stays.sh", "#dane /x", 1, 0, 0, 1}});
  Enter();
  const RunRecord run = NextRun();
  EXPECT_EQ(run.args, (std::vector<std::string>{show_.string() + "/dane", "/x"}));
  EXPECT_EQ(run.cwd, ProcessesFolder().string());
  Click(0);  // still running: nothing
  EXPECT_FALSE(RanAgain());
  Leave();
  EXPECT_TRUE(WaitUntilEnded(run.pid));
  EXPECT_TRUE(WaitUntilEnded(run.child));
}

TEST_F(LaunchingProcesses, TheStopButtonEndsItAndTheStartButtonStartsItAgain) {
  sandbox_.MakeRecorder(ProcessesFolder() / "stays.sh", DesktopSandbox::Stays::kYes);
  Load({TPro{"p", "stays.sh", "", 0, 0, 0, 1}});
  Enter();
  Click(0);
  const RunRecord first = NextRun();
  Click(1);
  EXPECT_TRUE(WaitUntilEnded(first.pid));
  Click(0);
  const RunRecord second = NextRun();
  EXPECT_NE(second.pid, first.pid);
  Leave();
  EXPECT_TRUE(WaitUntilEnded(second.pid));
}

TEST_F(LaunchingProcesses, AProgramThatEndedWithCodeZeroCanBeStartedAgain) {
  sandbox_.MakeRecorder(ProcessesFolder() / "once.sh", DesktopSandbox::Stays::kNo);
  Load({TPro{"p", "once.sh", "", 1, 0, 0, 1}});
  Enter();
  const RunRecord first = NextRun();
  ASSERT_TRUE(WaitUntilEnded(first.pid));
  // Ended but held until the button is pressed: then released and started anew.
  std::optional<RunRecord> second;
  for (int tries = 0; tries < 100 && !second; ++tries) {
    Click(0);
    second = sandbox_.NextRun(seen_);
  }
  ASSERT_TRUE(second);
  EXPECT_NE(second->pid, first.pid);
  Leave();
}

TEST_F(LaunchingProcesses, ADocumentOpensByItselfAndItsViewerEndsWithTheScreen) {
  const fs::path notes = show_ / std::to_string(kAssetDocuments) / "raport/notatki.txt";
  std::ofstream(notes) << "plain text\n";
  Load({}, {TDok{"d", "raport", "notatki.txt"}});
  Enter();
  const RunRecord run = NextRun();
  EXPECT_EQ(run.args, (std::vector<std::string>{notes.string()}));
  EXPECT_EQ(run.cwd, notes.parent_path().string());
  Leave();
  EXPECT_TRUE(WaitUntilEnded(run.pid));
}

}  // namespace
}  // namespace velmorant
