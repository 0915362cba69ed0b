#include "platform/text/pdf_writer.hpp"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/fs/codepage.hpp"
#include "platform/text/cairo_handles.hpp"
#include "platform/text/font_face.hpp"
#include "platform/text/print_pages.hpp"
#include "platform/text/rich_fonts.hpp"
#include "platform/text/rich_layout.hpp"

namespace velmorant::platform {

namespace {

// Layout pixels (96 an inch) to PDF points (72 an inch).
constexpr double kPointsPerPixel = 0.75;

bool IsBlank(char32_t c) {
  return c == kParagraphMark || c == kLineBreak || c == kObjectMark;
}

void SetColour(cairo_t* cr, Pixel colour) {
  cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                       (colour & 0xFF) / 255.0);
}

// Draws one document's lines on pages, sharing the fonts it opened for them.
class PdfPainter {
 public:
  PdfPainter(cairo_t* cr, const RichDocument& doc, RichFonts& fonts, const RichLayout& layout)
      : cr_(cr), doc_(doc), fonts_(fonts), layout_(layout) {}

  void Line(const LayoutLine& line, double top);

 private:
  cairo_font_face_t* FaceFor(const FontFace& face);
  void Text(size_t a, size_t b, double x0, double baseline);
  void Picture(const Bitmap& picture, double x, double y);

  cairo_t* cr_;
  const RichDocument& doc_;
  RichFonts& fonts_;
  const RichLayout& layout_;
  std::map<const FontFace*, FontFacePtr> faces_;
};

cairo_font_face_t* PdfPainter::FaceFor(const FontFace& face) {
  auto it = faces_.find(&face);
  if (it != faces_.end()) return it->second.get();
  return faces_.emplace(&face, CairoFaceOf(face)).first->second.get();
}

void PdfPainter::Line(const LayoutLine& line, double top) {
  const double left = line.x;
  const double baseline = top + line.ascent;
  for (size_t a = line.start; a < line.end;) {
    const size_t run = doc_.RunAt(a);
    const size_t run_end =
        run + 1 < doc_.char_runs.size() ? doc_.char_runs[run + 1].start : doc_.Length();
    const size_t b = std::min<size_t>(run_end, line.end);
    Text(a, b, left, baseline - RisePixels(doc_.StyleAt(a)));
    for (size_t p = a; p < b; ++p) {
      if (doc_.text[p] != kObjectMark) continue;
      if (const RichPicture* picture = doc_.PictureAt(p)) {
        Picture(*picture->picture, left + layout_.CharX(p), baseline - picture->picture->Height());
      }
    }
    a = b;
  }
}

void PdfPainter::Text(size_t a, size_t b, double x0, double baseline) {
  const CharStyle& style = doc_.StyleAt(a);
  const Font& font = fonts_.For(style);
  if (!font.HasFace()) return;
  cairo_set_font_face(cr_, FaceFor(*font.Face()));
  cairo_set_font_size(cr_, font.PixelsPerEm());
  SetColour(cr_, style.colour);
  cairo_scaled_font_t* scaled = cairo_get_scaled_font(cr_);
  FT_Face ft = cairo_ft_scaled_font_lock_face(scaled);
  if (!ft) return;
  std::vector<cairo_glyph_t> glyphs;
  std::vector<cairo_text_cluster_t> clusters;
  std::string utf8;
  for (size_t p = a; p < b; ++p) {
    char32_t c = doc_.text[p];
    if (IsBlank(c)) continue;
    if (c == U'\t') c = U' ';
    const size_t before = utf8.size();
    AppendUtf8(utf8, c);
    glyphs.push_back({FT_Get_Char_Index(ft, FT_ULong(c)), x0 + layout_.CharX(p), baseline});
    clusters.push_back({int(utf8.size() - before), 1});
  }
  cairo_ft_scaled_font_unlock_face(scaled);
  if (!glyphs.empty()) {
    cairo_show_text_glyphs(cr_, utf8.data(), int(utf8.size()), glyphs.data(), int(glyphs.size()),
                           clusters.data(), int(clusters.size()), cairo_text_cluster_flags_t(0));
  }
  size_t shown = b;
  while (shown > a && IsBlank(doc_.text[shown - 1])) --shown;
  if (shown == a) return;
  const double from = x0 + layout_.CharX(a);
  const double to = x0 + layout_.CharX(shown - 1) + layout_.CharWidth(shown - 1);
  const TextMetrics& m = font.Metrics();
  auto decoration = [&](int32_t position, int32_t thickness) {
    cairo_rectangle(cr_, from, baseline - position - thickness / 2, to - from, thickness);
    cairo_fill(cr_);
  };
  if (style.underline) decoration(m.underline_position, m.underline_thickness);
  if (style.strike) decoration(m.strikeout_position, m.strikeout_thickness);
}

void PdfPainter::Picture(const Bitmap& picture, double x, double y) {
  DrawPicture(cr_, picture, x, y);
}

}  // namespace

bool WriteRichTextPdf(const RichDocument& doc, const FontEngine& engine, const std::string& title,
                      const std::filesystem::path& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  RichFonts fonts(engine, doc);
  const RichLayout layout(doc, fonts, int32_t(PrintAreaWidth()));

  SurfacePtr surface(cairo_pdf_surface_create(path.c_str(), kA4WidthPoints, kA4HeightPoints));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return fail(cairo_status_to_string(cairo_surface_status(surface.get())));
  }
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
  ContextPtr cr(cairo_create(surface.get()));
  cairo_translate(cr.get(), kPrintMarginPoints, kPrintMarginPoints);
  cairo_scale(cr.get(), kPointsPerPixel, kPointsPerPixel);
  PdfPainter painter(cr.get(), doc, fonts, layout);
  for (const PrintPage& page : CutIntoPages(layout, PrintAreaHeight())) {
    for (size_t i = page.first; i < page.end; ++i) {
      const LayoutLine& line = layout.Lines()[i];
      painter.Line(line, double(line.top - page.top));
    }
    cairo_show_page(cr.get());
  }
  cr.reset();
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return fail(cairo_status_to_string(cairo_surface_status(surface.get())));
  }
  return true;
}

}  // namespace velmorant::platform
