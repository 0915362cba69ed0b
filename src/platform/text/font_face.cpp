#include "platform/text/font_face.hpp"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace velmorant::platform {

namespace {

// GDI's default for a zero LOGFONT height: a 12-point em at 96 DPI.
constexpr int32_t kDefaultEm = 16;
// The slant of synthesised italics (tan of about 12 degrees, in 16.16).
constexpr FT_Fixed kObliqueShear = 0x0366A;

int32_t ClampEm(int64_t em) {
  return int32_t(std::clamp<int64_t>(em, 1, kMaxPixelsPerEm));
}

// Design units to pixels, rounded to the nearest pixel (half up) as GDI's TrueType driver does.
int32_t Scale(FT_Long units, FT_Fixed scale) {
  const int64_t v26_6 = FT_MulFix(units, scale);
  return int32_t((v26_6 + 32) >> 6);
}

void CopyBitmap(const FT_Bitmap& bitmap, Glyph& glyph) {
  glyph.width = int32_t(bitmap.width);
  glyph.rows = int32_t(bitmap.rows);
  glyph.ink.assign(size_t(glyph.width) * size_t(glyph.rows), 0);
  for (int32_t row = 0; row < glyph.rows; ++row) {
    const unsigned char* line = bitmap.buffer + int64_t{row} * bitmap.pitch;
    uint8_t* out = glyph.ink.data() + size_t(row) * size_t(glyph.width);
    for (int32_t col = 0; col < glyph.width; ++col) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[col] = (line[col >> 3] >> (7 - (col & 7))) & 1;
      } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        out[col] = line[col] >= 128 ? 1 : 0;
      }
    }
  }
}

}  // namespace

int32_t PixelsPerEmForHeight(int32_t lf_height, int64_t units_per_em, int64_t cell_units) {
  if (lf_height < 0) return ClampEm(-int64_t{lf_height});
  if (lf_height == 0) return kDefaultEm;
  if (units_per_em <= 0 || cell_units <= 0) return ClampEm(lf_height);
  // The em that makes ascent + descent the asked cell height (rounded as MulDiv rounds).
  return ClampEm((units_per_em * lf_height + cell_units / 2) / cell_units);
}

std::shared_ptr<const FontFace> FontFace::Open(std::shared_ptr<FontFile> file,
                                               std::shared_ptr<GlyphCache> glyphs,
                                               const FontMatch& match, const FontRequest& wanted) {
  if (!file || !glyphs) return nullptr;
  auto result =
      std::make_shared<FontFace>(OpenTag{}, std::move(file), std::move(glyphs), match.family);
  result->file_ = match.file;
  result->face_index_ = match.index;
  result->synthetic_bold_ = wanted.bold && !match.face_is_bold;
  result->synthetic_italic_ = wanted.italic && !match.face_is_italic;
  const FT_Face f = result->file_face_->Face();
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  int64_t cell = int64_t{f->ascender} - f->descender;
  if (os2 && os2->version != 0xFFFF && (os2->usWinAscent || os2->usWinDescent)) {
    cell = int64_t{os2->usWinAscent} + os2->usWinDescent;
  }
  result->pixels_per_em_ =
      PixelsPerEmForHeight(FontHeightForPoints(wanted.size_points), f->units_per_EM, cell);
  if (!result->Sized()) return nullptr;
  result->ComputeMetrics();
  return result;
}

FontFace::FontFace(OpenTag, std::shared_ptr<FontFile> file, std::shared_ptr<GlyphCache> glyphs,
                   std::string family)
    : file_face_(std::move(file)),
      glyphs_(std::move(glyphs)),
      owner_(glyphs_->NewOwner()),
      family_(std::move(family)) {
  advances_.fill(-1);
}

FontFace::~FontFace() {
  glyphs_->Forget(owner_);
}

FT_Face FontFace::Sized() const {
  return file_face_->UseSize(pixels_per_em_) ? file_face_->Face() : nullptr;
}

void FontFace::ComputeMetrics() {
  const FT_Face f = Sized();
  const FT_Fixed y_scale = f->size->metrics.y_scale;
  const FT_Fixed x_scale = f->size->metrics.x_scale;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
  const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
  const bool has_os2 = os2 && os2->version != 0xFFFF;

  FT_Long ascent_units = f->ascender;
  FT_Long descent_units = -f->descender;
  if (has_os2 && (os2->usWinAscent || os2->usWinDescent)) {
    ascent_units = os2->usWinAscent;
    descent_units = os2->usWinDescent;
  } else if (hhea) {
    ascent_units = hhea->Ascender;
    descent_units = -hhea->Descender;
  }

  TextMetrics& m = metrics_;
  m.ascent = Scale(ascent_units, y_scale);
  m.descent = Scale(descent_units, y_scale);
  m.height = m.ascent + m.descent;
  m.internal_leading = m.height - pixels_per_em_;
  if (hhea) {
    const FT_Long gap = hhea->Line_Gap - ((ascent_units + descent_units) -
                                          (FT_Long{hhea->Ascender} - hhea->Descender));
    m.external_leading = std::max(0, Scale(gap, y_scale));
  }

  // Fallbacks are GDI's for faces without the tables.
  const int32_t default_thickness = m.ascent / 20 + 1;
  m.underline_position = post ? Scale(post->underlinePosition, y_scale) : 0;
  m.underline_thickness = post ? Scale(post->underlineThickness, y_scale) : default_thickness;
  if (has_os2 && os2->yStrikeoutSize > 0) {
    m.strikeout_position = Scale(os2->yStrikeoutPosition, y_scale);
    m.strikeout_thickness = Scale(os2->yStrikeoutSize, y_scale);
  } else {
    m.strikeout_position = m.ascent / 2;
    m.strikeout_thickness = default_thickness;
  }
  m.underline_thickness = std::max(1, m.underline_thickness);
  m.strikeout_thickness = std::max(1, m.strikeout_thickness);

  if (has_os2 && os2->xAvgCharWidth > 0) {
    m.ave_char_width = Scale(os2->xAvgCharWidth, x_scale);
  } else {
    m.ave_char_width = GlyphFor(U'x')->advance;
  }
}

int32_t FontFace::AdvanceOf(char32_t c) const {
  if (c >= advances_.size()) return LoadAdvance(c);
  int32_t& known = advances_[c];
  if (known < 0) known = LoadAdvance(c);
  return known;
}

// Laying text out needs only advances: the outline is loaded, not rendered nor kept.
int32_t FontFace::LoadAdvance(char32_t c) const {
  if (auto kept = glyphs_->Find(owner_, c)) return kept->advance;
  const FT_Face f = Sized();
  if (!f) return 0;
  const FT_UInt index = FT_Get_Char_Index(f, FT_ULong(c));
  if (FT_Load_Glyph(f, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) return 0;
  const FT_GlyphSlot slot = f->glyph;
  int32_t advance = std::max(0, int32_t((slot->advance.x + 32) >> 6));
  if (synthetic_bold_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) advance += 1;
  return advance;
}

std::shared_ptr<const Glyph> FontFace::GlyphFor(char32_t c) const {
  if (auto kept = glyphs_->Find(owner_, c)) return kept;
  std::shared_ptr<const Glyph> glyph = Render(c);
  glyphs_->Keep(owner_, c, glyph);
  return glyph;
}

std::shared_ptr<const Glyph> FontFace::Render(char32_t c) const {
  auto glyph = std::make_shared<Glyph>();
  const FT_Face f = Sized();
  if (!f) return glyph;
  const FT_UInt index = FT_Get_Char_Index(f, FT_ULong(c));
  // Outlines only: embedded bitmaps could not be emboldened or slanted like the rest.
  if (FT_Load_Glyph(f, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) return glyph;
  FT_GlyphSlot slot = f->glyph;
  glyph->advance = std::max(0, int32_t((slot->advance.x + 32) >> 6));
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (synthetic_bold_) {
      // GDI's simulated bold widens each glyph and its advance by one pixel.
      FT_Outline_EmboldenXY(&slot->outline, 64, 0);
      glyph->advance += 1;
    }
    if (synthetic_italic_) {
      FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return glyph;
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  CopyBitmap(slot->bitmap, *glyph);
  return glyph;
}

}  // namespace velmorant::platform
