// What reaches the terminal from a presentation cannot drive it: control characters are escaped.
#include "platform/text/warning_line.hpp"

#include <gtest/gtest.h>

namespace velmorant::platform {
namespace {

TEST(WarningLine, ControlCharactersAreEscapedAsInTheJsonLog) {
  EXPECT_EQ(EscapeControls("\x1b[2J\x1b]0;title\x07"), "\\u001b[2J\\u001b]0;title\\u0007");
  EXPECT_EQ(EscapeControls("a\nb\tc\rd\be\ff"), "a\\nb\\tc\\rd\\be\\ff");
  EXPECT_EQ(EscapeControls(std::string("nul\0end", 7)), "nul\\u0000end");
  EXPECT_EQ(EscapeControls("del\x7f"), "del\\u007f");
  // C1 controls, as UTF-8 and as the raw bytes some terminals take for them.
  EXPECT_EQ(EscapeControls("csi\xc2\x9b"), "csi\\u009b");
  EXPECT_EQ(EscapeControls("raw\x9b\xff"), "raw\\x9B\\xFF");
}

TEST(WarningLine, EverythingElseIsKept) {
  EXPECT_EQ(EscapeControls("obrazy\\Źródło › ok.bmp"), "obrazy\\Źródło › ok.bmp");
  EXPECT_EQ(WarningLine("przyciski/a.bmp", "file too short"),
            "velmorant: przyciski/a.bmp: file too short\n");
  EXPECT_EQ(WarningLine("x\n", "y\x1b", "velmorant-med"), "velmorant-med: x\\n: y\\u001b\n");
}

}  // namespace
}  // namespace velmorant::platform
