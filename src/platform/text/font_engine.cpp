#include "platform/text/font_engine.hpp"

#include "platform/text/font_face.hpp"
#include "platform/text/font_matcher.hpp"
#include "platform/text/freetype_handles.hpp"

namespace velmorant::platform {

struct FontEngine::State {
  FtLibraryHandle library;
  FcConfigPtr config;
  bool has_fonts = false;
};

namespace {

FtLibraryHandle StartFreeType() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  return FtLibraryHandle(library, FtLibraryDeleter{});
}

FcConfigPtr LoadConfig(const FontEngine::Options& options) {
  FcConfigPtr config(options.system_fonts ? FcInitLoadConfigAndFonts() : FcConfigCreate());
  if (!config) return nullptr;
  for (const std::string& file : options.font_files) {
    FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(file.c_str()));
  }
  return config;
}

bool ConfigHasFonts(FcConfig* config) {
  for (FcSetName set : {FcSetSystem, FcSetApplication}) {
    const FcFontSet* fonts = FcConfigGetFonts(config, set);
    if (fonts && fonts->nfont > 0) return true;
  }
  return false;
}

}  // namespace

FontEngine::FontEngine() : FontEngine(Options{}) {}

FontEngine::FontEngine(const Options& options) : state_(std::make_unique<State>()) {
  state_->library = StartFreeType();
  state_->config = LoadConfig(options);
  state_->has_fonts = state_->library && state_->config && ConfigHasFonts(state_->config.get());
}

FontEngine::~FontEngine() = default;
FontEngine::FontEngine(FontEngine&&) noexcept = default;
FontEngine& FontEngine::operator=(FontEngine&&) noexcept = default;

bool FontEngine::HasFonts() const {
  return state_ && state_->has_fonts;
}

Font FontEngine::CreateFont(const FontRequest& wanted) const {
  if (!HasFonts()) return Font();
  const std::optional<FontMatch> match = MatchFont(state_->config.get(), wanted);
  if (!match) return Font();
  if (auto face = FontFace::Open(state_->library, *match, wanted)) return Font(std::move(face));
  // A broken file behind the name: the generic sans still gives the text a face.
  FontRequest fallback = wanted;
  fallback.name.clear();
  const std::optional<FontMatch> sans = MatchFont(state_->config.get(), fallback);
  if (!sans || sans->file == match->file) return Font();
  return Font(FontFace::Open(state_->library, *sans, wanted));
}

}  // namespace velmorant::platform
