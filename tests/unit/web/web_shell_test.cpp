// The browser's shell over a fake page: what opens as a tab, on the bar or as a download, the
// notice a program gets, and that nothing outside the presentation folder is ever read.
#include "platform/web/web_shell.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/loop/clock.hpp"
#include "support/test_files.hpp"
#include "unit/web/fake_opener.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using testing::FakeOpener;
using testing::WriteBytes;
using Calls = std::vector<std::string>;

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

struct WebShellTest : ::testing::Test {
  void SetUp() override {
    root = testing::FreshTestFolder("web-shell-");
    show = root / "show";
    WriteBytes(root / "secret.txt", Bytes("secret"));
    WriteBytes(show / "dokumenty/raport/a.pdf", Bytes("%PDF"));
    WriteBytes(show / "dokumenty/raport/b.doc", Bytes("DOC"));
    WriteBytes(show / "dokumenty/raport/uwagi.txt", Bytes("\xb9"));  // 'ą' in 1250
    fs::create_directories(show / "dokumenty/raport/zdjecia");
    fs::create_symlink(root / "secret.txt", show / "dokumenty/raport/klucz.txt");
    WriteBytes(show / "procesy/pokaz.exe", Bytes("MZ"));
    WriteBytes(show / "procesy/skrypt.sh", Bytes("#!/bin/sh\n"));  // no run bit, as picked
    WriteBytes(show / "procesy/czytaj.txt", Bytes("\xc5\xbc"));    // 'ż' in UTF-8
    log.Open((root / "log.jsonl").string());
    log.SetFolder(show.string());
  }

  std::unique_ptr<Shell> MakeShell(bool no_launch = false) {
    return MakeWebShell(log, no_launch, opener, {show, 1250, &memory});
  }
  LaunchResult Open(const std::string& file, const std::string& verb = "open") {
    return MakeShell()->Launch({verb, file, {}, show.string(), {}});
  }
  // The "launch" events' files and outcomes.
  Calls Launches() const {
    std::ifstream in(root / "log.jsonl");
    Calls out;
    for (std::string line; std::getline(in, line);) {
      const auto json = nlohmann::json::parse(line);
      if (json["event"] == "launch") {
        out.push_back(json["file"].get<std::string>() +
                      (json["ok"].get<bool>() ? " ok" : " failed"));
      }
    }
    return out;
  }

  fs::path root, show;
  VirtualClock clock;
  EventLog log{clock};
  MemoryBudget memory;
  FakeOpener opener;
};

TEST_F(WebShellTest, AddressesOpenInTabsAndWhatTheBrowserWillNotOpenIsOfferedOnTheBar) {
  EXPECT_TRUE(Open("https://example.org/").ok);
  EXPECT_TRUE(Open("mailto:biuro@example.org").ok);
  // Browsers open no ftp addresses: only the bar shows it.
  EXPECT_FALSE(Open("ftp://example.org/plik").ok);
  opener.blocks_tabs = true;
  const LaunchResult blocked = Open("http://example.org/");
  EXPECT_FALSE(blocked.ok);
  EXPECT_EQ(blocked.process, nullptr);
  EXPECT_EQ(opener.calls, (Calls{"tab https://example.org/", "tab mailto:biuro@example.org",
                                 "bar ftp://example.org/plik", "tab http://example.org/"}));
  EXPECT_EQ(Launches(), (Calls{"https://example.org/ ok", "mailto:biuro@example.org ok",
                               "ftp://example.org/plik failed", "http://example.org/ failed"}));
}

TEST_F(WebShellTest, FilesOpenInATabOfTheirTypeOrAsDownloads) {
  const std::string raport = (show / "dokumenty/raport/").string();
  EXPECT_TRUE(Open(raport + "a.pdf").ok);
  EXPECT_TRUE(Open(raport + "uwagi.txt").ok);
  EXPECT_TRUE(Open(raport + "b.doc").ok);
  EXPECT_FALSE(Open(raport + "brak.pdf").ok);
  opener.blocks_tabs = true;
  EXPECT_FALSE(Open(raport + "a.pdf").ok);
  EXPECT_EQ(opener.calls, (Calls{"file a.pdf application/pdf %PDF",
                                 "file uwagi.txt text/plain;charset=windows-1250 \xb9",
                                 "download b.doc DOC", "file a.pdf application/pdf %PDF"}));
  // A file the memory budget has no room for is not read.
  opener.calls.clear();
  memory.SetLimit(2);
  const LaunchResult refused = Open(raport + "a.pdf");
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error, "");
  EXPECT_TRUE(opener.calls.empty());
}

TEST_F(WebShellTest, AFolderOpensAsAPageOfItsEntries) {
  EXPECT_TRUE(Open((show / "dokumenty/raport").string(), "explore").ok);
  // Sorted; the link that leads out of the folder is left out.
  EXPECT_EQ(opener.calls,
            (Calls{"listing dokumenty/raport", "  a.pdf application/pdf %PDF", "  b.doc  DOC",
                   "  uwagi.txt text/plain;charset=windows-1250 \xb9", "  zdjecia/", "end"}));
  EXPECT_EQ(Launches(), (Calls{"dokumenty/raport ok"}));
}

TEST_F(WebShellTest, AProgramGetsANoticeAndFailsWhileAProcessDocumentOpens) {
  LaunchRequest run{"open",        (show / "procesy/pokaz.exe").string(),
                    "#dane /p",    show.string(),
                    show.string(), true};
  run.name = "Pokaz.EXE";
  const LaunchResult result = MakeShell()->Launch(run);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.process, nullptr);
  LaunchRequest script = run;
  script.file = (show / "procesy/skrypt.sh").string();
  script.name = "";
  EXPECT_FALSE(MakeShell()->Launch(script).ok);
  LaunchRequest text = run;
  text.file = (show / "procesy/czytaj.txt").string();
  EXPECT_TRUE(MakeShell()->Launch(text).ok);
  EXPECT_EQ(
      opener.calls,
      (Calls{"notice Ta prezentacja uruchamia program Pokaz.EXE, czego przeglądarka nie potrafi",
             "notice Ta prezentacja uruchamia program skrypt.sh, czego przeglądarka nie potrafi",
             "file czytaj.txt text/plain;charset=utf-8 \xc5\xbc"}));
  EXPECT_EQ(Launches(), (Calls{"procesy/pokaz.exe failed", "procesy/skrypt.sh failed",
                               "procesy/czytaj.txt ok"}));
  // --no-launch only logs.
  opener.calls.clear();
  EXPECT_FALSE(MakeShell(true)->Launch(run).ok);
  EXPECT_FALSE(MakeShell(true)->Launch({"open", "https://example.org/", {}, {}, {}}).ok);
  EXPECT_TRUE(opener.calls.empty());
}

TEST_F(WebShellTest, NothingOutsideThePresentationFolderOpens) {
  EXPECT_FALSE(Open((root / "secret.txt").string()).ok);
  EXPECT_FALSE(Open("../secret.txt").ok);
  EXPECT_FALSE(Open((show / "dokumenty/raport/klucz.txt").string()).ok);
  EXPECT_FALSE(Open(root.string(), "explore").ok);
  EXPECT_FALSE(Open((show / "..").string(), "explore").ok);
  // A shell that was given no folder opens no file at all.
  EXPECT_FALSE(MakeWebShell(log, false, opener, {})
                   ->Launch({"open", (show / "dokumenty/raport/a.pdf").string(), {}, {}, {}})
                   .ok);
  EXPECT_TRUE(opener.calls.empty());
}

}  // namespace
}  // namespace velmorant::platform
