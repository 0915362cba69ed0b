// Links, documents and processes: what each asks the shell to open, when they open by themselves,
// their open and close buttons, and the end of what they opened when the screen is left.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/backend_with_shell.hpp"
#include "unit/engine/launching_host.hpp"

namespace velmorant {
namespace {

using platform::LaunchRequest;
using testing::FakeEngineHost;

// Launches recorded; each started process runs until the test ends it or it is terminated.
class FakeShell final : public platform::Shell {
 public:
  struct State {
    std::optional<int> exit_code;
    bool terminated = false;
  };
  class Process final : public platform::LaunchedProcess {
   public:
    explicit Process(std::shared_ptr<State> state) : state_(std::move(state)) {}
    std::optional<int> ExitCode() override { return state_->exit_code; }
    bool Terminate(int exit_code) override {
      state_->exit_code = exit_code;
      state_->terminated = true;
      return true;
    }

   private:
    std::shared_ptr<State> state_;
  };

  platform::LaunchResult Launch(const LaunchRequest& request) override {
    launches.push_back(request);
    if (fail) return {false, nullptr, "failed"};
    processes.push_back(std::make_shared<State>());
    return {true, std::make_unique<Process>(processes.back()), {}};
  }
  void Refuse(const LaunchRequest& request, std::string_view why) override {
    refused.push_back(request);
    reasons.emplace_back(why);
  }

  std::vector<LaunchRequest> launches;
  std::vector<LaunchRequest> refused;
  std::vector<std::string> reasons;
  std::vector<std::shared_ptr<State>> processes;
  bool fail = false;
};

std::string Describe(const LaunchRequest& r) {
  return r.verb + " " + r.file + " [" + r.parameters + "] in " + r.directory +
         (r.hash_folder.empty() ? "" : " #=" + r.hash_folder);
}

std::vector<std::string> Describe(const std::vector<LaunchRequest>& requests) {
  std::vector<std::string> out;
  for (const auto& r : requests) out.push_back(Describe(r));
  return out;
}

constexpr int32_t kLinksFolder = kAssetLinks;

class LaunchingKinds : public ::testing::Test {
 protected:
  LaunchingKinds() { testing::UseLaunchingKinds(host_, platform_); }

  // One map with four buttons that the records take over.
  void Load(Definition d) {
    TMap map;
    for (int i = 0; i < 4; ++i) map.Regions.push_back(TReg{});
    d.TMapy = {map};
    host_.Load(std::move(d));
  }

  LaunchingKind& Kind(ElementSet set) {
    return static_cast<LaunchingKind&>(*host_.kinds.Find(set));
  }
  // Show to Activate, as a page that becomes active.
  void Enter(ElementSet set, int32_t index) {
    for (Phase p : {Phase::kShow, Phase::kCompose, Phase::kStart, Phase::kActivate}) {
      Kind(set).Run(p, index);
    }
  }
  void Leave(ElementSet set, int32_t index) {
    Kind(set).Run(Phase::kStop, index);
    Kind(set).Run(Phase::kHide, index);
  }
  void Click(int32_t region) { host_.kinds.Controls().Click(0, region); }

  FakeEngineHost host_;
  FakeShell shell_;
  testing::BackendWithShell platform_{host_.backend, shell_};
};

TEST_F(LaunchingKinds, LinkOpensItsFileInTheLinksFolderOrElseItsTargetAsGiven) {
  Definition d;
  d.TLinki = {TLin{"file wins", "strona.html", "https://example.org/", 1},
              TLin{"target", "", "mailto:biuro@example.org", 1}, TLin{"nothing", "", "", 1},
              TLin{"outside", "..\\x.html", "", 1}};
  Load(std::move(d));
  for (int32_t i = 0; i < 4; ++i) Enter(ElementSet::kLinks, i);
  const std::string folder = "/show/" + std::to_string(kLinksFolder);
  EXPECT_EQ(Describe(shell_.launches),
            (std::vector<std::string>{"open " + folder + "/strona.html [] in " + folder,
                                      "open mailto:biuro@example.org [] in " + folder}));
  // A file that would leave the presentation folder is refused, named as the definition has it.
  EXPECT_EQ(Describe(shell_.refused),
            (std::vector<std::string>{"open ..\\x.html [] in " + folder}));
}

TEST_F(LaunchingKinds, ALinkTargetIsAWebAddressOrANameInsideThePresentation) {
  Definition d;
  d.TLinki = {TLin{"web name", "", "www.example.org", 1},
              TLin{"relative", "", "pod\\strona.html", 1},
              TLin{"file address", "", "file:///show/dokumenty/a%20b.pdf", 1},
              TLin{"absolute", "", "/usr/bin/xterm", 1},
              TLin{"climbing", "", "..\\..\\bin\\prog.sh", 1},
              TLin{"escaped climb", "", "file:///show/%2e%2e/bin/prog.sh", 1},
              TLin{"share", "", "smb://host/share/x.exe", 1},
              TLin{"script", "", "javascript:alert(1)", 1}};
  Load(std::move(d));
  for (int32_t i = 0; i < 8; ++i) Enter(ElementSet::kLinks, i);
  const std::string folder = "/show/" + std::to_string(kLinksFolder);
  EXPECT_EQ(Describe(shell_.launches),
            (std::vector<std::string>{"open http://www.example.org [] in " + folder,
                                      "open " + folder + "/pod\\strona.html [] in " + folder,
                                      "open /show/dokumenty/a b.pdf [] in " + folder}));
  // Refused as written, each with its reason; nothing of them reaches the desktop.
  EXPECT_EQ(Describe(shell_.refused),
            (std::vector<std::string>{"open /usr/bin/xterm [] in " + folder,
                                      "open ..\\..\\bin\\prog.sh [] in " + folder,
                                      "open file:///show/%2e%2e/bin/prog.sh [] in " + folder,
                                      "open smb://host/share/x.exe [] in " + folder,
                                      "open javascript:alert(1) [] in " + folder}));
  EXPECT_EQ(shell_.reasons[0], "outside the presentation folder");
  EXPECT_NE(shell_.reasons[3].find("web address"), std::string::npos) << shell_.reasons[3];
  for (const LaunchRequest& r : shell_.launches) EXPECT_FALSE(r.program);
}

TEST_F(LaunchingKinds, DocumentExploresItsFolderOrOpensItsFileThere) {
  Definition d;
  TDok folder_only{"folder", "raport", ""};
  TDok file{"file", "raport", "wyniki.txt"};
  TDok no_folder{"none", "", "wyniki.txt"};
  d.TDoki = {folder_only, file, no_folder};
  Load(std::move(d));
  // Documents open by themselves unless the record says otherwise.
  for (int32_t i = 0; i < 3; ++i) Enter(ElementSet::kDocuments, i);
  const std::string docs = "/show/" + std::to_string(kAssetDocuments);
  EXPECT_EQ(
      Describe(shell_.launches),
      (std::vector<std::string>{"explore " + docs + "/raport [] in " + docs,
                                "open " + docs + "/raport\\wyniki.txt [] in " + docs + "/raport"}));
}

TEST_F(LaunchingKinds, ProcessCarriesItsCommandLineAndThePresentationFolderForHashes) {
  Definition d;
  d.TProcesy = {TPro{"p", "prog.sh", "#dane\\plik.txt /p"}, TPro{"none", "", "#"}};
  Load(std::move(d));
  Enter(ElementSet::kProcesses, 0);
  Enter(ElementSet::kProcesses, 1);
  const std::string folder = "/show/" + std::to_string(kAssetProcesses);
  EXPECT_EQ(Describe(shell_.launches),
            (std::vector<std::string>{"open " + folder + "/prog.sh [#dane\\plik.txt /p] in " +
                                      folder + " #=/show/"}));
  EXPECT_TRUE(shell_.launches[0].program) << "only a process may start a program";
}

TEST_F(LaunchingKinds, ButtonsOpenOnceWhileItRunsAndCloseIt) {
  Definition d;
  TLin link{"l", "strona.html", "", 0, 0, 0, 1};
  d.TLinki = {link};
  Load(std::move(d));
  Enter(ElementSet::kLinks, 0);
  EXPECT_TRUE(shell_.launches.empty()) << "no auto-open";
  Click(0);
  Click(0);  // still running: nothing
  ASSERT_EQ(shell_.launches.size(), 1u);
  Click(1);
  EXPECT_TRUE(shell_.processes[0]->terminated);
  EXPECT_FALSE(Kind(ElementSet::kLinks).Holds(0));
  Click(1);  // nothing held: nothing to end
  Click(0);
  EXPECT_EQ(shell_.launches.size(), 2u);
}

TEST_F(LaunchingKinds, LeavingTheScreenEndsWhatStillRuns) {
  Definition d;
  d.TProcesy = {TPro{"p", "prog.sh", "", 1, 0, 2, 3}};
  d.TDoki = {TDok{"d", "raport", "a.txt"}};
  Load(std::move(d));
  Enter(ElementSet::kProcesses, 0);
  Enter(ElementSet::kDocuments, 0);
  ASSERT_EQ(shell_.processes.size(), 2u);
  Leave(ElementSet::kProcesses, 0);
  Leave(ElementSet::kDocuments, 0);
  EXPECT_TRUE(shell_.processes[0]->terminated);
  EXPECT_TRUE(shell_.processes[1]->terminated);
  // Hidden, the buttons do nothing.
  Click(2);
  EXPECT_EQ(shell_.launches.size(), 2u);
}

// The player ending without the page's Stop (an error caught at the top) still ends what runs,
// and only that; a record moved in its table keeps its program.
TEST(LaunchRecordEnd, EndsWhatStillRunsWhenDestroyedAndKeepsItWhenMoved) {
  FakeShell shell;
  {
    std::vector<LaunchRecord> records(2);
    ASSERT_TRUE(records[0].ShellLaunch(shell, {"open", "a.sh", {}, {}, {}, true}));
    ASSERT_TRUE(records[1].ShellLaunch(shell, {"open", "b.sh", {}, {}, {}, true}));
    shell.processes[1]->exit_code = 0;
    records.reserve(64);  // moves both
    EXPECT_FALSE(shell.processes[0]->terminated);
    EXPECT_TRUE(records[0].Holds());
  }
  EXPECT_TRUE(shell.processes[0]->terminated);
  EXPECT_FALSE(shell.processes[1]->terminated);
}

TEST_F(LaunchingKinds, AProgramThatEndedIsReleasedSoItsButtonWorksAgain) {
  Definition d;
  d.TProcesy = {TPro{"p", "prog.sh", "", 1, 0, 2, 3}};
  Load(std::move(d));
  Enter(ElementSet::kProcesses, 0);
  // Ended by itself with exit code 0: the record must not stay stuck until the next visit.
  shell_.processes[0]->exit_code = 0;
  Click(2);
  EXPECT_EQ(shell_.launches.size(), 2u);
  // Ended with another code: released at Stop without being terminated.
  shell_.processes[1]->exit_code = 3;
  Leave(ElementSet::kProcesses, 0);
  EXPECT_FALSE(shell_.processes[1]->terminated);
  EXPECT_FALSE(Kind(ElementSet::kProcesses).Holds(0));
}

TEST_F(LaunchingKinds, AFailedLaunchHoldsNothingAndMayBeTriedAgain) {
  Definition d;
  d.TProcesy = {TPro{"p", "prog.sh", "", 0, 0, 2, 3}};
  Load(std::move(d));
  Enter(ElementSet::kProcesses, 0);
  shell_.fail = true;
  Click(2);
  EXPECT_FALSE(Kind(ElementSet::kProcesses).Holds(0));
  shell_.fail = false;
  Click(2);
  EXPECT_EQ(shell_.launches.size(), 2u);
  EXPECT_TRUE(Kind(ElementSet::kProcesses).Holds(0));
}

TEST_F(LaunchingKinds, PreloadReadsLinkAndProgramFilesAheadButNotDocuments) {
  Definition d;
  d.TLinki = {TLin{"l", "strona.html", "", 0, 0}};
  d.TDoki = {TDok{"d", "raport", "a.txt", 1, 0}};
  d.TProcesy = {TPro{"p", "prog.sh", "", 1, -1}};
  Load(std::move(d));
  for (ElementSet set : {ElementSet::kLinks, ElementSet::kDocuments, ElementSet::kProcesses}) {
    Kind(set).Run(Phase::kPreload, 0);
  }
  EXPECT_EQ(host_.assets.warmed, (std::vector<std::string>{"strona.html", "prog.sh"}));
}

}  // namespace
}  // namespace velmorant
