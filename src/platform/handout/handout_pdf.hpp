#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/text/cairo_handles.hpp"
#include "platform/text/font_engine.hpp"

namespace velmorant::platform {

// What one handout page shows: a heading, the picture as it was on the screen, and the texts that
// were on it, searchable.
struct HandoutPage {
  std::string heading;
  const Bitmap* picture = nullptr;  // none for an entry that shows nothing
  std::vector<std::string> texts;   // UTF-8, one paragraph each
};

// A PDF with one page per handout page, each as large as its picture needs (a pixel is 0.75 point,
// as a 96-dpi screen shows it). Pictures are stored without loss.
class HandoutPdf {
 public:
  // The texts are set in the font engine's faces, so they read the same as on the screen.
  HandoutPdf(const std::filesystem::path& path, const std::string& title, const FontEngine& fonts);
  HandoutPdf(const HandoutPdf&) = delete;
  HandoutPdf& operator=(const HandoutPdf&) = delete;

  // Why the file cannot be written, or empty.
  std::string Problem() const;

  void AddPage(const HandoutPage& page);
  // Writes the file out: false, with `error` saying why, when it could not be written.
  bool Finish(std::string* error);

 private:
  // Selects the heading's or the body's face and size on `cr`.
  void UseFont(cairo_t* cr, bool heading) const;

  SurfacePtr surface_;
  FontFacePtr regular_;
  FontFacePtr bold_;
  int pages_ = 0;
};

}  // namespace velmorant::platform
