#include "platform/text/print_pages.hpp"

#include <cmath>

#include "platform/text/pdf_writer.hpp"

namespace velmorant::platform {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

int32_t Dots(double points) {
  return int32_t(std::lround(points * kPixelsPerPoint * PrintedSheets::kScale));
}

}  // namespace

double PrintAreaWidth() {
  return (kA4WidthPoints - 2 * kPrintMarginPoints) * kPixelsPerPoint;
}

double PrintAreaHeight() {
  return (kA4HeightPoints - 2 * kPrintMarginPoints) * kPixelsPerPoint;
}

std::vector<PrintPage> CutIntoPages(const RichLayout& layout, double page_height) {
  std::vector<PrintPage> pages(1);
  const std::vector<LayoutLine>& lines = layout.Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    PrintPage& page = pages.back();
    if (page.end > page.first && lines[i].top + lines[i].height - page.top > page_height) {
      pages.push_back({i, i, lines[i].top});
    }
    pages.back().end = i + 1;
  }
  return pages;
}

PrintedSheets::PrintedSheets(const RichDocument& doc, const FontEngine& engine)
    : layout_fonts_(engine, doc),
      print_fonts_(engine, doc, kScale),
      layout_(doc, layout_fonts_, int32_t(PrintAreaWidth())),
      pages_(CutIntoPages(layout_, PrintAreaHeight())) {}

Size PrintedSheets::SheetSize() const {
  return {Dots(kA4WidthPoints), Dots(kA4HeightPoints)};
}

void PrintedSheets::Paint(size_t index, Bitmap& sheet) {
  if (index >= pages_.size()) return;
  const PrintPage& page = pages_[index];
  const int32_t margin = Dots(kPrintMarginPoints);
  layout_.PaintScaled(sheet, {margin, margin - kScale * page.top}, page.first, page.end, kScale,
                      print_fonts_);
}

}  // namespace velmorant::platform
