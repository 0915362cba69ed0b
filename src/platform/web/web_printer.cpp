#include "platform/web/web_printer.hpp"

#include <iostream>

#include "platform/gfx/colour.hpp"
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
  dialog_.BeginJob(title);
  for (size_t i = 0; i < count; ++i) {
    // The sheet and the page's copy of it.
    const uint64_t bytes = 2 * PictureBytes(size.width, size.height);
    const std::optional<MemoryBudget::Charge> charge = memory_.Reserve(bytes);
    if (!charge) {
      Warn("\"" + title + "\" was not printed: " + memory_.Refusal(bytes));
      return false;
    }
    Bitmap sheet(size.width, size.height, kWhite);
    pages.Paint(i, sheet);
    dialog_.AddSheet(sheet);
  }
  if (!dialog_.Open()) {
    Warn("the page could not open the print dialog for \"" + title + "\"");
    return false;
  }
  return true;
}

}  // namespace velmorant::platform
