#include "platform/text/rich_fonts.hpp"

namespace velmorant::platform {

FontRequest RichFonts::RequestFor(const CharStyle& style) const {
  FontRequest wanted;
  if (style.font < doc_.fonts.size()) {
    wanted.name = doc_.fonts[style.font].name;
    wanted.charset = doc_.fonts[style.font].charset;
  }
  wanted.size_points = (style.half_points + 1) / 2 * scale_;
  wanted.bold = style.bold;
  wanted.italic = style.italic;
  wanted.underline = style.underline;
  wanted.strike_out = style.strike;
  return wanted;
}

const Font& RichFonts::For(const CharStyle& style) {
  const Key key{style.font,   style.half_points, style.bold,
                style.italic, style.underline,   style.strike};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) it = fonts_.emplace(key, engine_.CreateFont(RequestFor(style))).first;
  return it->second;
}

}  // namespace velmorant::platform
