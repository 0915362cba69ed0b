#include "platform/web/web_printer.hpp"

#include <iostream>

#include "platform/gfx/colour.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/text/print_pages.hpp"

namespace velmorant::platform {

namespace {

void Warn(const std::string& text) {
  std::cerr << "velmorant: print: " << text << '\n';
}

}  // namespace

bool WebPrinter::Deliver(const std::string& title, const RichDocument& document) {
  PrintedSheets pages(document, Fonts());
  const Size size = pages.SheetSize();
  size_t count = pages.Count();
  if (count > kMaxSheets) {
    Warn("\"" + title + "\" has " + std::to_string(count) + " pages; its first " +
         std::to_string(kMaxSheets) + " are printed");
    count = kMaxSheets;
  }
  std::vector<std::vector<uint8_t>> sheets;
  for (size_t i = 0; i < count; ++i) {
    const std::optional<MemoryBudget::Charge> charge =
        memory_.ReservePicture(size.width, size.height);
    if (!charge) {
      Warn("\"" + title + "\" was not printed: " + memory_.PictureRefusal(size.width, size.height));
      return false;
    }
    Bitmap sheet(size.width, size.height, kWhite);
    pages.Paint(i, sheet);
    sheets.push_back(EncodePng(sheet));
  }
  if (!dialog_.Print(title, sheets)) {
    Warn("the page could not open the print dialog for \"" + title + "\"");
    return false;
  }
  return true;
}

}  // namespace velmorant::platform
