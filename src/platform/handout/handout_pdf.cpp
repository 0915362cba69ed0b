#include "platform/handout/handout_pdf.hpp"

#include <cairo-pdf.h>

#include <algorithm>
#include <string_view>

namespace velmorant::platform {

namespace {

constexpr double kPointsPerPixel = 0.75;
constexpr double kMargin = 36;  // points
constexpr double kHeadingSize = 14;
constexpr double kTextSize = 10;
constexpr double kLineGap = 1.4;
constexpr double kMinWidth = 420;  // room for a line of text beside a small picture
constexpr const char* kFamily = "Arial";

double Advance(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

// The words of `text` in lines no wider than `width` at the context's current font. Each word is
// measured once and the line's width summed: measuring the line from its start for every word
// made a long text cost its length times a line's.
std::vector<std::string> Wrap(cairo_t* cr, const std::string& text, double width) {
  std::vector<std::string> lines;
  const double space_width = Advance(cr, " ");
  std::string line;
  double line_width = 0;
  size_t at = 0;
  while (at < text.size()) {
    const size_t space = text.find_first_of(" \n", at);
    const size_t end = space == std::string::npos ? text.size() : space;
    const std::string word = text.substr(at, end - at);
    const double word_width = Advance(cr, word);
    if (!line.empty() && line_width + space_width + word_width > width) {
      lines.push_back(std::move(line));
      line = word;
      line_width = word_width;
    } else {
      if (!line.empty()) {
        line += ' ';
        line_width += space_width;
      }
      line += word;
      line_width += word_width;
    }
    if (space != std::string::npos && text[space] == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      line_width = 0;
    }
    at = end + 1;
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

// Control characters would end up as boxes in the PDF: they become spaces.
std::string Printable(std::string_view text) {
  std::string out(text);
  std::replace_if(
      out.begin(), out.end(), [](char c) { return c != '\n' && uint8_t(c) < 0x20; }, ' ');
  return out;
}

FontFacePtr FaceFrom(const FontEngine& fonts, bool bold) {
  FontRequest request;
  request.name = kFamily;
  request.bold = bold;
  const Font font = fonts.CreateFont(request);
  return font.HasFace() ? CairoFaceOf(*font.Face()) : nullptr;
}

}  // namespace

HandoutPdf::HandoutPdf(const std::filesystem::path& path, const std::string& title,
                       const FontEngine& fonts)
    : surface_(cairo_pdf_surface_create(path.c_str(), kMinWidth, kMinWidth)),
      regular_(FaceFrom(fonts, false)),
      bold_(FaceFrom(fonts, true)) {
  if (cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS) {
    cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
  }
}

void HandoutPdf::UseFont(cairo_t* cr, bool heading) const {
  // Without a face from the engine Cairo's own default serves.
  if (cairo_font_face_t* face = heading ? bold_.get() : regular_.get()) {
    cairo_set_font_face(cr, face);
  }
  cairo_set_font_size(cr, heading ? kHeadingSize : kTextSize);
}

std::string HandoutPdf::Problem() const {
  const cairo_status_t status = cairo_surface_status(surface_.get());
  return status == CAIRO_STATUS_SUCCESS ? std::string() : cairo_status_to_string(status);
}

void HandoutPdf::AddPage(const HandoutPage& page) {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) return;
  const double picture_width = page.picture ? page.picture->Width() * kPointsPerPixel : 0;
  const double picture_height = page.picture ? page.picture->Height() * kPointsPerPixel : 0;
  const double width = std::max(kMinWidth, picture_width + 2 * kMargin);
  const double text_width = width - 2 * kMargin;

  // The text is measured before the page size is known: a context on the surface measures with
  // the same fonts it will draw with.
  ContextPtr cr(cairo_create(surface_.get()));
  UseFont(cr.get(), false);
  std::vector<std::string> lines;
  for (const std::string& text : page.texts) {
    for (std::string& line : Wrap(cr.get(), Printable(text), text_width)) {
      lines.push_back(std::move(line));
    }
  }
  const double heading_height = kHeadingSize * kLineGap;
  const double height = kMargin + heading_height + picture_height +
                        (lines.empty() ? 0 : kTextSize) +
                        double(lines.size()) * kTextSize * kLineGap + kMargin;
  cairo_pdf_surface_set_size(surface_.get(), width, height);
  cr.reset(cairo_create(surface_.get()));

  cairo_set_source_rgb(cr.get(), 0, 0, 0);
  UseFont(cr.get(), true);
  cairo_move_to(cr.get(), kMargin, kMargin + kHeadingSize);
  cairo_show_text(cr.get(), Printable(page.heading).c_str());
  double y = kMargin + heading_height;
  if (page.picture) {
    cairo_save(cr.get());
    cairo_translate(cr.get(), kMargin, y);
    cairo_scale(cr.get(), kPointsPerPixel, kPointsPerPixel);
    DrawPicture(cr.get(), *page.picture, 0, 0, CAIRO_FILTER_NEAREST);
    cairo_restore(cr.get());
    y += picture_height + kTextSize;
  }
  UseFont(cr.get(), false);
  for (const std::string& line : lines) {
    y += kTextSize * kLineGap;
    cairo_move_to(cr.get(), kMargin, y - kTextSize * (kLineGap - 1));
    cairo_show_text(cr.get(), line.c_str());
  }
  cairo_show_page(cr.get());
  ++pages_;
}

bool HandoutPdf::Finish(std::string* error) {
  if (cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS && pages_ == 0) {
    // A PDF has at least one page.
    ContextPtr cr(cairo_create(surface_.get()));
    cairo_show_page(cr.get());
  }
  cairo_surface_finish(surface_.get());
  const cairo_status_t status = cairo_surface_status(surface_.get());
  if (status == CAIRO_STATUS_SUCCESS) return true;
  if (error) *error = cairo_status_to_string(status);
  return false;
}

}  // namespace velmorant::platform
