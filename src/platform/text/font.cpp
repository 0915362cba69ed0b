#include "platform/text/font.hpp"

#include <algorithm>
#include <limits>

#include "platform/text/font_face.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {

namespace {
const TextMetrics kNoMetrics{};
}

Font::Font(std::shared_ptr<const FontFace> face, bool underline, bool strike_out)
    : face_(std::move(face)), underline_(underline), strike_out_(strike_out) {}

std::string Font::FamilyName() const {
  return face_ ? face_->Family() : std::string();
}

int32_t Font::PixelsPerEm() const {
  return face_ ? face_->PixelsPerEm() : 0;
}

const TextMetrics& Font::Metrics() const {
  return face_ ? face_->Metrics() : kNoMetrics;
}

int32_t Font::Advance(char32_t c) const {
  return face_ ? face_->AdvanceOf(c) : 0;
}

Size Font::TextExtent(std::string_view utf8) const {
  int64_t width = 0;
  for (char32_t c : DecodeUtf8(utf8)) width += Advance(c);
  width = std::min<int64_t>(width, std::numeric_limits<int32_t>::max());
  return {int32_t(width), Metrics().height};
}

std::shared_ptr<const Glyph> Font::GlyphFor(char32_t c) const {
  return face_ ? face_->GlyphFor(c) : nullptr;
}

}  // namespace velmorant::platform
