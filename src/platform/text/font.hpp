#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gfx/geometry.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/glyph.hpp"
#include "platform/text/text_metrics.hpp"

namespace velmorant::platform {

class FontFace;

// A sized font ready to measure and draw. Copies share the face. A default-constructed font (or
// one from an engine without fonts) has no face: it measures zero and draws nothing.
class Font {
 public:
  Font() = default;
  // Underline and strike-out are drawn over the face: faces are shared without them.
  explicit Font(std::shared_ptr<const FontFace> face, bool underline = false,
                bool strike_out = false);

  bool HasFace() const { return face_ != nullptr; }
  // The family actually used (empty without a face).
  std::string FamilyName() const;
  int32_t PixelsPerEm() const;
  const TextMetrics& Metrics() const;
  bool Underlined() const { return face_ && underline_; }
  bool StruckOut() const { return face_ && strike_out_; }

  // Advance width of one character, as GetTextExtentPoint adds them up.
  int32_t Advance(char32_t c) const;
  // GetTextExtentPoint of UTF-8 text: the sum of the advances and the font's height.
  Size TextExtent(std::string_view utf8) const;
  // Nothing without a face.
  std::shared_ptr<const Glyph> GlyphFor(char32_t c) const;
  // The face behind the font, for drawing it elsewhere (printing); nothing without one.
  const std::shared_ptr<const FontFace>& Face() const { return face_; }

 private:
  std::shared_ptr<const FontFace> face_;
  bool underline_ = false;
  bool strike_out_ = false;
};

}  // namespace velmorant::platform
