// Printing in the browser: A4 sheets painted by the player's own text drawing, cut into pages as
// the desktop's PDF is, handed to the print dialog one by one under the document's title.
#include "platform/web/web_printer.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/gfx/colour.hpp"
#include "platform/loop/clock.hpp"
#include "platform/text/pdf_writer.hpp"
#include "platform/text/print_pages.hpp"
#include "platform/text/rtf_reader.hpp"
#include "support/test_files.hpp"
#include "unit/web/fake_opener.hpp"

namespace velmorant::platform {
namespace {

RichDocument Lines(int count) {
  std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
  for (int i = 0; i < count; ++i) rtf += "Line " + std::to_string(i) + "\\par ";
  rtf += "}";
  return *ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()});
}

// The ink's bounds on a sheet.
Rect Ink(const Bitmap& sheet) {
  Rect ink{sheet.Width(), sheet.Height(), 0, 0};
  for (int32_t y = 0; y < sheet.Height(); ++y) {
    for (int32_t x = 0; x < sheet.Width(); ++x) {
      if (sheet.At(x, y) == kWhite) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
             std::max(ink.bottom, y + 1)};
    }
  }
  return ink;
}

size_t PdfPages(const std::filesystem::path& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  const std::string bytes = s.str();
  size_t n = 0;
  for (size_t at = bytes.find("/Type /Page"); at != std::string::npos;
       at = bytes.find("/Type /Page", at + 1)) {
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++n;
  }
  return n;
}

struct WebPrinting : ::testing::Test {
  FontEngine fonts;
  VirtualClock clock;
  EventLog log{clock};
  MemoryBudget memory;
  testing::FakePrintDialog dialog;
  WebPrinter printer{log, fonts, dialog, memory};
};

TEST_F(WebPrinting, SheetsAreA4PicturesOfTheTextInsideTheMarginsPagedAsTheDesktopPrints) {
  const std::filesystem::path folder = testing::FreshTestFolder("web-print-");
  log.Open((folder / "log.jsonl").string());
  const RichDocument doc = Lines(120);
  ASSERT_TRUE(printer.Print("Wydruk pliku dlugi.rtf", "dlugi.rtf", doc));
  EXPECT_EQ(dialog.titles, std::vector<std::string>{"Wydruk pliku dlugi.rtf"});
  ASSERT_TRUE(WriteRichTextPdf(doc, fonts, "x", folder / "dlugi.pdf"));
  ASSERT_EQ(dialog.sheets.size(), PdfPages(folder / "dlugi.pdf"));
  ASSERT_GE(dialog.sheets.size(), 3u);
  EXPECT_EQ(dialog.opened, 1);
  for (const Bitmap& sheet : dialog.sheets) {
    EXPECT_EQ(sheet.GetSize(), (Size{1587, 2245})) << "A4 at 192 dots an inch";
    // Ink only inside the 2 cm margins (151 dots), starting right at them.
    const Rect ink = Ink(sheet);
    EXPECT_GE(ink.left, 151);
    EXPECT_LT(ink.left, 151 + 10);
    EXPECT_GE(ink.top, 151);
    EXPECT_LE(ink.right, 1587 - 151);
    EXPECT_LE(ink.bottom, 2245 - 151);
  }
  std::ifstream in(folder / "log.jsonl");
  std::string line;
  std::getline(in, line);
  EXPECT_NE(line.find(R"("event":"print","title":"Wydruk pliku dlugi.rtf")"), std::string::npos);
}

TEST_F(WebPrinting, TheFirstLineStandsWhereTheScreenLayoutPutsItAtTwiceTheSize) {
  const RichDocument doc = Lines(1);
  PrintedSheets sheets(doc, fonts);
  ASSERT_EQ(sheets.Count(), 1u);
  Bitmap sheet(sheets.SheetSize().width, sheets.SheetSize().height, kWhite);
  sheets.Paint(0, sheet);
  RichFonts screen_fonts(fonts, doc);
  const RichLayout layout(doc, screen_fonts, int32_t(PrintAreaWidth()));
  Bitmap screen(layout.Width(), layout.Height(), kWhite);
  layout.Paint(screen, {0, 0}, screen.Bounds());
  const Rect small = Ink(screen);
  const Rect large = Ink(sheet);
  EXPECT_NEAR(large.left - 151, 2 * small.left, 2);
  EXPECT_NEAR(large.Width(), 2 * small.Width(), 4);
  EXPECT_NEAR(large.Height(), 2 * small.Height(), 4);
}

TEST_F(WebPrinting, ADocumentWhoseSheetsTheBudgetHasNoRoomForIsNotPrinted) {
  memory.SetLimit(1 << 20);
  EXPECT_FALSE(printer.Print("Wydruk pliku t.rtf", "t.rtf", Lines(3)));
  EXPECT_EQ(dialog.opened, 0);
  EXPECT_EQ(memory.Used(), 0u);
}

}  // namespace
}  // namespace velmorant::platform
