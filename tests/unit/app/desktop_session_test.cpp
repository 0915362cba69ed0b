// The outer life of a run: the about box after the end, and the second close command that ends a
// show without an Escape shortcut.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/about_box.hpp"
#include "app/player.hpp"
#include "definition/loader.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

class DesktopSession : public ::testing::Test {
 protected:
  void SetUp() override {
    show_ = fs::temp_directory_path() /
            ("velmorant-session-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(show_);
    Definition d;
    d.TMedia = {TMed{.Screen = 0}, TMed{.Screen = 0}};
    TEkr screen;
    screen.Keys = TIntWektor{1};  // Enter only: no Escape
    d.TEkrany = {screen};
    const WriteResult written = WriteDefinition(d, 'g');
    ASSERT_EQ(written.error, "");
    std::ofstream(show_ / "info.med", std::ios::binary)
        .write(reinterpret_cast<const char*>(written.bytes.data()),
               std::streamsize(written.bytes.size()));
  }
  void TearDown() override { fs::remove_all(show_); }

  // Plays the show along `script`; the event log.
  std::string Play(const std::string& script, bool end_on_second_close, int* status = nullptr) {
    platform::HeadlessOptions options;
    options.screen = {320, 240, 32};
    options.script = platform::ParseScript(script).commands;
    options.snapshots = show_;
    platform::HeadlessBackend backend(std::move(options));
    const fs::path log = show_ / "log.jsonl";
    backend.Log().Open(log.string());
    PlayerOptions player_options;
    player_options.presentation = show_;
    player_options.end_on_second_close = end_on_second_close;
    {
      Player player(backend, *platform::CodePage::Open(1250), player_options);
      const int s = player.Run();
      if (status) *status = s;
    }
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path show_;
};

TEST_F(DesktopSession, SecondCloseWithinThreeSecondsEndsTheShow) {
  const std::string quick = Play("close\nwait 2999\nclose\nwait 10\n", true);
  EXPECT_NE(quick.find("\"event\":\"close\""), std::string::npos);
  EXPECT_NE(quick.find("\"event\":\"end\""), std::string::npos);

  const std::string slow = Play("close\nwait 3001\nclose\nwait 10\n", true);
  EXPECT_EQ(slow.find("\"event\":\"end\""), std::string::npos) << "each close re-shows the page";

  const std::string apart = Play("close\nwait 3500\nclose\nwait 2000\nclose\n", true);
  EXPECT_NE(apart.find("\"event\":\"end\""), std::string::npos)
      << "the three seconds count from the previous close, not from the first";

  const std::string headless = Play("close\nwait 10\nclose\nwait 10\n", false);
  EXPECT_EQ(headless.find("\"event\":\"end\""), std::string::npos)
      << "off, the close command only re-shows the page, as defined";
}

TEST_F(DesktopSession, AboutBoxAfterTheEndClosesOnAKeyOrAClick) {
  // The second close ends the show; the about box then waits for input.
  int status = -1;
  // Shift, F5, an arrow and Caps Lock type nothing; a right click is no click.
  const std::string by_key = Play(
      "close\nclose\nkey 16\nkey 116\nkey 37\nkey 20\nclick 5 5 right\nsnapshot about\n"
      "key 65\nsnapshot after\n",
      true, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(by_key.find("\"event\":\"end\""), std::string::npos);
  ASSERT_TRUE(fs::exists(show_ / "about.png"));
  EXPECT_FALSE(fs::exists(show_ / "after.png")) << "the program ends with the letter";

  for (const char* closing : {"key 27", "key 32", "key 9", "click 5 5"}) {
    Play(std::string("close\nclose\n") + closing + "\nsnapshot after\n", true);
    EXPECT_FALSE(fs::exists(show_ / "after.png")) << closing;
  }
}

TEST_F(DesktopSession, AboutBoxWebLabelOpensTheAddressAndStays) {
  // The fourth label starts at (8, 104) of the box; a script clicks in the box's own pixels.
  const std::string log = Play("close\nclose\nclick 12 108\nsnapshot still\n", true);
  EXPECT_NE(log.find("\"event\":\"launch\",\"verb\":\"open\",\"file\":\"" +
                     std::string(Tffprmain::kWebAddress)),
            std::string::npos)
      << log;
  EXPECT_TRUE(fs::exists(show_ / "still.png")) << "the box stays after opening the address";
}

}  // namespace
}  // namespace velmorant
