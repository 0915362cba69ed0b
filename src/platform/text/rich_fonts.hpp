#pragma once

#include <map>
#include <tuple>

#include "platform/text/font.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

// The fonts a document's character styles ask for, each opened once; `scale` times their size
// for painting a layout that many times larger (printing).
class RichFonts {
 public:
  RichFonts(const FontEngine& engine, const RichDocument& doc, int32_t scale = 1)
      : engine_(engine), doc_(doc), scale_(scale) {}

  const Font& For(const CharStyle& style);
  // The request behind a style: the document's typeface, its size rounded to whole points.
  FontRequest RequestFor(const CharStyle& style) const;

 private:
  using Key = std::tuple<uint16_t, int32_t, bool, bool, bool, bool>;
  const FontEngine& engine_;
  const RichDocument& doc_;
  int32_t scale_;
  std::map<Key, Font> fonts_;
};

}  // namespace velmorant::platform
