#include "platform/window/headless_script.hpp"

#include <gtest/gtest.h>

namespace velmorant::platform {
namespace {

TEST(HeadlessScript, ParsesEveryCommandAndSkipsComments) {
  const auto r = ParseScript(
      "# start\n"
      "wait 1500\n"
      "move 10 20   # pointer\n"
      "click 5 6\n"
      "click 7 8 right\n"
      "key 13\n"
      "wheel 1 2 -120\n"
      "\n"
      "close\n"
      "snapshot first\n");
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.commands.size(), 8u);
  using K = ScriptCommand::Kind;
  EXPECT_EQ(r.commands[0].kind, K::kWait);
  EXPECT_EQ(r.commands[0].ms, 1500);
  EXPECT_EQ(r.commands[1].x, 10);
  EXPECT_EQ(r.commands[1].y, 20);
  EXPECT_EQ(r.commands[2].button, MouseButton::kLeft);
  EXPECT_EQ(r.commands[3].button, MouseButton::kRight);
  EXPECT_EQ(r.commands[4].key, 13);
  EXPECT_EQ(r.commands[5].delta, -120);
  EXPECT_EQ(r.commands[6].kind, K::kClose);
  EXPECT_EQ(r.commands[7].name, "first");
  EXPECT_EQ(r.commands[7].line, 10);
}

TEST(HeadlessScript, RefusesMalformedLinesNamingTheLine) {
  for (const char* bad :
       {"wait", "wait -5", "wait 1x", "move 1", "click 1 2 left extra", "click 1 2 up", "key 0",
        "key 300", "wheel 1 2", "close now", "snapshot", "snapshot ../escape", "jump 1"}) {
    const auto r = ParseScript(std::string("wait 1\n") + bad + "\n");
    EXPECT_NE(r.error.find("line 2"), std::string::npos) << bad;
    EXPECT_TRUE(r.commands.empty()) << bad;
  }
}

}  // namespace
}  // namespace velmorant::platform
