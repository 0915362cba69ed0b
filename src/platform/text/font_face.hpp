#pragma once

// A sized FreeType face with Windows metrics and its monochrome glyphs (internal to text/).

#include <array>
#include <memory>
#include <string>

#include "platform/text/font_file.hpp"
#include "platform/text/font_match.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/glyph.hpp"
#include "platform/text/glyph_cache.hpp"
#include "platform/text/text_metrics.hpp"

namespace velmorant::platform {

// Sizes beyond this are clamped: a presentation may ask for absurd point sizes.
inline constexpr int32_t kMaxPixelsPerEm = 1024;

// The em size in pixels for a LOGFONT height, given the face's design units: negative heights are
// em sizes, positive ones cell heights (ascent + descent), 0 the default; clamped
// to 1..kMaxPixelsPerEm.
int32_t PixelsPerEmForHeight(int32_t lf_height, int64_t units_per_em, int64_t cell_units);

// One size and style of a font file. Requests that differ only in what the face does not draw
// (the name that led to the file, underline, strike-out) share one. Its glyphs are kept in the
// engine's one cache.
class FontFace {
 public:
  // Nothing when the size cannot be set on `file`.
  static std::shared_ptr<const FontFace> Open(std::shared_ptr<FontFile> file,
                                              std::shared_ptr<GlyphCache> glyphs,
                                              const FontMatch& match, const FontRequest& wanted);

  // Public for make_shared only; Open is the way to get a face.
  struct OpenTag {};
  FontFace(OpenTag, std::shared_ptr<FontFile> file, std::shared_ptr<GlyphCache> glyphs,
           std::string family);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const std::string& Family() const { return family_; }
  // Where the face came from, and what was made up for it.
  const std::string& File() const { return file_; }
  int FaceIndex() const { return face_index_; }
  bool SyntheticBold() const { return synthetic_bold_; }
  bool SyntheticItalic() const { return synthetic_italic_; }
  int32_t PixelsPerEm() const { return pixels_per_em_; }
  const TextMetrics& Metrics() const { return metrics_; }

  // The glyph for a code point; characters the face lacks get its missing-glyph box.
  std::shared_ptr<const Glyph> GlyphFor(char32_t c) const;
  // Its advance alone: laying text out asks for it once per character.
  int32_t AdvanceOf(char32_t c) const;

 private:
  void ComputeMetrics();
  // The shared file at this face's size; nothing when it cannot be set.
  FT_Face Sized() const;
  std::shared_ptr<const Glyph> Render(char32_t c) const;
  int32_t LoadAdvance(char32_t c) const;

  std::shared_ptr<FontFile> file_face_;
  std::shared_ptr<GlyphCache> glyphs_;
  uint64_t owner_ = 0;
  std::string family_;
  std::string file_;
  int face_index_ = 0;
  int32_t pixels_per_em_ = 0;
  bool synthetic_bold_ = false;
  bool synthetic_italic_ = false;
  TextMetrics metrics_;

  // Advances of the first code points (Latin and its extensions), -1 until known.
  mutable std::array<int32_t, 0x250> advances_;
};

}  // namespace velmorant::platform
