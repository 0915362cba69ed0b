#include "platform/text/rich_selection.hpp"

#include "platform/fs/codepage.hpp"
#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

namespace {

bool IsSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u00A0';
}

bool IsWordCharacter(char32_t c) {
  if (c == kParagraphMark || c == kLineBreak || c == kObjectMark || IsSpace(c)) return false;
  // Letters of every script count; of ASCII, only letters, digits and the underscore.
  if (c >= 0x80) return true;
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
         c == U'_';
}

}  // namespace

TextSelection WordAround(const std::u32string& text, int32_t p) {
  const auto n = int32_t(text.size());
  if (n == 0) return {};
  p = std::clamp(p, 0, n - 1);
  int32_t start = p;
  int32_t end = p + 1;
  if (IsWordCharacter(text[size_t(p)])) {
    while (start > 0 && IsWordCharacter(text[size_t(start - 1)])) --start;
    while (end < n && IsWordCharacter(text[size_t(end)])) ++end;
  }
  while (end < n && IsSpace(text[size_t(end)])) ++end;
  return {start, end};
}

std::string PlainText(const std::u32string& text, int32_t start, int32_t end) {
  start = std::clamp(start, 0, int32_t(text.size()));
  end = std::clamp(end, start, int32_t(text.size()));
  std::string out;
  for (int32_t p = start; p < end; ++p) {
    const char32_t c = text[size_t(p)];
    if (c == kObjectMark) continue;
    AppendUtf8(out, c == kParagraphMark || c == kLineBreak ? U'\n' : c);
  }
  return out;
}

}  // namespace velmorant::platform
