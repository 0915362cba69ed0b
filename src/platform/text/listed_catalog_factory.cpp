#include "platform/text/listed_font_catalog.hpp"

namespace velmorant::platform {

namespace {

// Where the browser build's file system holds the bundled fonts.
constexpr const char* kBundledFonts = "/fonts";

}  // namespace

std::unique_ptr<FontCatalog> MakeFontCatalog(const FontSources& sources) {
  std::vector<std::string> files;
  if (sources.system_fonts) files = ListedFontCatalog::FontFilesIn(kBundledFonts);
  files.insert(files.end(), sources.font_files.begin(), sources.font_files.end());
  return std::make_unique<ListedFontCatalog>(files);
}

}  // namespace velmorant::platform
