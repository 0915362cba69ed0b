#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/fontconfig_catalog.hpp"
#include "platform/text/listed_font_catalog.hpp"
#include "unit/platform/web_fonts_list.hpp"

namespace velmorant::platform {
namespace {

Bitmap Caption(const FontEngine& engine, const FontRequest& wanted, std::string_view text) {
  Bitmap b(360, 90, kWhite);
  Rect r{4, 4, 356, 86};
  DrawText(b, engine.CreateFont(wanted), text, r, kDtWordBreak | kDtCenter, kBlack);
  return b;
}

// The browser build draws captions with the bundled files just as the desktop draws them.
TEST(CatalogPixels, CaptionsComeOutAlikeThroughEitherCatalog) {
  const std::vector<std::string> files = velmorant::testing::WebFontsHere();
  if (files.empty()) GTEST_SKIP() << "none of the files of web_fonts.txt is installed";
  FontSources sources;
  sources.system_fonts = false;
  sources.font_files = files;
  const FontEngine native(std::make_unique<FontconfigCatalog>(sources));
  const FontEngine listed(std::make_unique<ListedFontCatalog>(files));
  ASSERT_TRUE(listed.HasFonts());

  const std::string text = "Quick brown fox, 1234 - äöü ŁŻ — the same pixels";
  for (const char* name : {"Arial", "Times New Roman CE", "Courier New", "Arial Narrow",
                           "MS Sans Serif", "Wingdings", "DejaVu Serif"}) {
    for (int style = 0; style < 4; ++style) {
      FontRequest wanted;
      wanted.name = name;
      wanted.size_points = 11;
      wanted.bold = style & 1;
      wanted.italic = style & 2;
      wanted.underline = style == 3;
      const Bitmap a = Caption(native, wanted, text);
      EXPECT_EQ(a, Caption(listed, wanted, text)) << name << " style " << style;
      EXPECT_NE(a, Bitmap(360, 90, kWhite)) << name;
    }
  }
}

}  // namespace
}  // namespace velmorant::platform
