#include "platform/fs/case_fold.hpp"

#include "platform/fs/codepage.hpp"

namespace velmorant::platform {

namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

// Blocks where upper and lower case alternate: even upper, odd lower (or the other way round).
char32_t FoldAlternating(char32_t c, char32_t first, char32_t last, bool upper_even) {
  if (!InRange(c, first, last)) return c;
  const bool even = (c - first) % 2 == 0;
  return even == upper_even ? c + 1 : c;
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (InRange(c, 'A', 'Z')) return c + 0x20;
  if (c < 0x80) return c;
  // Latin-1: À..Þ except ×.
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return c + 0x20;
  // Latin Extended-A, with its irregular spots.
  if (c == 0x130) return 'i';
  if (c == 0x178) return 0xFF;
  if (InRange(c, 0x100, 0x137) && c != 0x131) return FoldAlternating(c, 0x100, 0x137, true);
  if (InRange(c, 0x139, 0x148)) return FoldAlternating(c, 0x139, 0x148, true);
  if (InRange(c, 0x14A, 0x177)) return FoldAlternating(c, 0x14A, 0x177, true);
  if (InRange(c, 0x179, 0x17E)) return FoldAlternating(c, 0x179, 0x17E, true);
  // Latin Extended-B letters of the Windows code pages (Vietnamese horn letters, ƒ has no pair).
  if (c == 0x1A0 || c == 0x1AF) return c + 1;
  if (InRange(c, 0x218, 0x21B)) return FoldAlternating(c, 0x218, 0x21B, true);
  // Greek.
  if (c == 0x386) return 0x3AC;
  if (InRange(c, 0x388, 0x38A)) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (InRange(c, 0x391, 0x3AB) && c != 0x3A2) return c + 0x20;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  // Cyrillic.
  if (InRange(c, 0x400, 0x40F)) return c + 0x50;
  if (InRange(c, 0x410, 0x42F)) return c + 0x20;
  if (InRange(c, 0x490, 0x491)) return 0x491;
  return c;
}

std::string FoldCaseUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    if (auto cp = DecodeUtf8(text, pos)) {
      AppendUtf8(out, FoldCase(*cp));
    } else {
      out.push_back(text[start]);
      pos = start + 1;
    }
  }
  return out;
}

}  // namespace velmorant::platform
