#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace velmorant::platform {

// A selected stretch of a document's text, from where the press was (the anchor) to where the
// pointer is now (the caret), either way round.
struct TextSelection {
  int32_t anchor = 0;
  int32_t caret = 0;
  int32_t Start() const { return std::min(anchor, caret); }
  int32_t End() const { return std::max(anchor, caret); }
  bool Empty() const { return anchor == caret; }
  friend bool operator==(const TextSelection&, const TextSelection&) = default;
};

// The word holding character p and the spaces after it, as a double click selects it; a space
// or a mark on its own is a word of one.
TextSelection WordAround(const std::u32string& text, int32_t p);

// Characters [start, end) as UTF-8 for the clipboard: paragraph ends and line breaks become new
// lines, pictures are left out.
std::string PlainText(const std::u32string& text, int32_t start, int32_t end);

}  // namespace velmorant::platform
