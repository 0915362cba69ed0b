#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"
#include "platform/text/rich_fonts.hpp"
#include "platform/text/rich_layout.hpp"

namespace velmorant::platform {

// The text area of an A4 sheet within its printing margins, in layout pixels (96 an inch).
double PrintAreaWidth();
double PrintAreaHeight();

// One printed page: lines [first, end) of a layout, the first standing `top` pixels down.
struct PrintPage {
  size_t first = 0;
  size_t end = 0;
  int32_t top = 0;
};

// A layout cut into pages of `page_height`: a line that does not fit below the lines already on
// a page starts the next one, so a line taller than a page has one of its own. A document
// without lines is one empty page.
std::vector<PrintPage> CutIntoPages(const RichLayout& layout, double page_height);

// A rich text printed as pictures of A4 sheets: laid out as printing lays it out, and painted
// with the player's own text drawing at twice the layout's resolution (192 dots an inch), where
// every whole-point font size stays a whole size.
class PrintedSheets {
 public:
  static constexpr int32_t kScale = 2;
  static constexpr int32_t kDotsPerInch = 96 * kScale;

  PrintedSheets(const RichDocument& doc, const FontEngine& engine);
  PrintedSheets(const PrintedSheets&) = delete;
  PrintedSheets& operator=(const PrintedSheets&) = delete;

  size_t Count() const { return pages_.size(); }
  // Of every sheet, in dots.
  Size SheetSize() const;
  // Paints page `index` on `sheet`, a white picture of SheetSize().
  void Paint(size_t index, Bitmap& sheet);

 private:
  RichFonts layout_fonts_;
  RichFonts print_fonts_;
  RichLayout layout_;
  std::vector<PrintPage> pages_;
};

}  // namespace velmorant::platform
