#pragma once

// A sized FreeType face with Windows metrics and a cache of monochrome glyphs (internal to text/).

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/text/font_matcher.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/freetype_handles.hpp"
#include "platform/text/glyph.hpp"
#include "platform/text/text_metrics.hpp"

namespace velmorant::platform {

// Sizes beyond this are clamped: a presentation may ask for absurd point sizes.
inline constexpr int32_t kMaxPixelsPerEm = 1024;

// The em size in pixels for a LOGFONT height, given the face's design units: negative heights are
// em sizes, positive ones cell heights (ascent + descent), 0 the default; clamped
// to 1..kMaxPixelsPerEm.
int32_t PixelsPerEmForHeight(int32_t lf_height, int64_t units_per_em, int64_t cell_units);

class FontFace {
 public:
  // Nothing when the file cannot be opened or is not a scalable face.
  static std::shared_ptr<const FontFace> Open(const FtLibraryHandle& library,
                                              const FontMatch& match, const FontRequest& wanted);

  // Public for make_shared only; Open is the way to get a face.
  struct OpenTag {};
  FontFace(OpenTag, FtLibraryHandle library, FtFacePtr face, const FontRequest& wanted,
           std::string family);

  const FontRequest& Wanted() const { return spec_; }
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
  std::shared_ptr<const Glyph> Render(char32_t c) const;

  FtLibraryHandle library_;  // declared before face_: the face must go first
  FtFacePtr face_;
  FontRequest spec_;
  std::string family_;
  std::string file_;
  int face_index_ = 0;
  int32_t pixels_per_em_ = 0;
  bool synthetic_bold_ = false;
  bool synthetic_italic_ = false;
  TextMetrics metrics_;

  // Bounded by kGlyphCacheBytes; emptied when full.
  mutable std::unordered_map<char32_t, std::shared_ptr<const Glyph>> cache_;
  // Advances of the first code points (Latin and its extensions), -1 until known.
  mutable std::array<int32_t, 0x250> advances_;
  mutable size_t cache_bytes_ = 0;
};

}  // namespace velmorant::platform
