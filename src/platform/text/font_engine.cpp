#include "platform/text/font_engine.hpp"

#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "platform/text/font_face.hpp"
#include "platform/text/font_file.hpp"
#include "platform/text/font_matcher.hpp"
#include "platform/text/font_names.hpp"
#include "platform/text/freetype_handles.hpp"
#include "platform/text/glyph_cache.hpp"

namespace velmorant::platform {

namespace {

// Forgets the entries whose object has gone, once the map has grown well past what was live.
template <typename Map>
void SweepExpired(Map& map, size_t& sweep_at) {
  if (map.size() < sweep_at) return;
  std::erase_if(map, [](const auto& entry) { return entry.second.expired(); });
  sweep_at = std::max<size_t>(64, 2 * map.size());
}

// Answers kept per engine: a document naming thousands of fonts asks fontconfig once for each.
constexpr size_t kMatchesKept = 8192;

}  // namespace

struct FontEngine::State {
  FtLibraryHandle library;
  FcConfigPtr config;
  bool has_fonts = false;
  std::shared_ptr<GlyphCache> glyphs = std::make_shared<GlyphCache>();

  using MatchKey = std::tuple<std::string, bool, bool>;
  std::map<MatchKey, std::optional<FontMatch>> matches;
  std::map<MatchKey, std::optional<FontMatch>> generic_matches;
  std::optional<std::set<std::string>> installed;
  using FileKey = std::pair<std::string, int>;
  std::map<FileKey, std::weak_ptr<FontFile>> files;
  size_t sweep_files_at = 64;
  using FaceKey = std::tuple<std::string, int, int32_t, bool, bool>;
  std::map<FaceKey, std::weak_ptr<const FontFace>> faces;
  size_t sweep_faces_at = 64;

  std::optional<FontMatch> Match(const FontRequest& wanted);
  std::optional<FontMatch> Ask(const FontRequest& wanted);
  std::shared_ptr<const FontFace> Face(const FontMatch& match, const FontRequest& wanted);
};

std::optional<FontMatch> FontEngine::State::Match(const FontRequest& wanted) {
  MatchKey key{wanted.name, wanted.bold, wanted.italic};
  if (auto it = matches.find(key); it != matches.end()) return it->second;
  if (matches.size() >= kMatchesKept) matches.clear();
  return matches.emplace(std::move(key), Ask(wanted)).first->second;
}

std::optional<FontMatch> FontEngine::State::Ask(const FontRequest& wanted) {
  const FamilyChoice choice = ChooseFamily(wanted.name);
  if (!choice.must_match) return MatchFont(config.get(), wanted);
  if (!installed) installed = InstalledFamilies(config.get());
  if (installed->count(FamilyKey(choice.family))) return MatchFont(config.get(), wanted);
  // No font answers to the name: it gets its generic family's face, as every such name does.
  MatchKey key{choice.generic, wanted.bold, wanted.italic};
  auto it = generic_matches.find(key);
  if (it == generic_matches.end()) {
    it = generic_matches
             .emplace(std::move(key),
                      MatchGenericFont(config.get(), choice.generic, wanted.bold, wanted.italic))
             .first;
  }
  return it->second ? it->second : MatchFont(config.get(), wanted);
}

std::shared_ptr<const FontFace> FontEngine::State::Face(const FontMatch& match,
                                                        const FontRequest& wanted) {
  const FaceKey face_key{match.file, match.index, wanted.size_points,
                         wanted.bold && !match.face_is_bold,
                         wanted.italic && !match.face_is_italic};
  if (auto it = faces.find(face_key); it != faces.end()) {
    if (auto face = it->second.lock()) return face;
  }
  const FileKey file_key{match.file, match.index};
  std::shared_ptr<FontFile> file;
  if (auto it = files.find(file_key); it != files.end()) file = it->second.lock();
  if (!file) {
    file = FontFile::Open(library, match.file, match.index);
    if (!file) return nullptr;
    SweepExpired(files, sweep_files_at);
    files[file_key] = file;
  }
  auto face = FontFace::Open(std::move(file), glyphs, match, wanted);
  if (!face) return nullptr;
  SweepExpired(faces, sweep_faces_at);
  faces[face_key] = face;
  return face;
}

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
  const std::optional<FontMatch> match = state_->Match(wanted);
  if (!match) return Font();
  if (auto face = state_->Face(*match, wanted)) {
    return Font(std::move(face), wanted.underline, wanted.strike_out);
  }
  // A broken file behind the name: the generic sans still gives the text a face.
  FontRequest fallback = wanted;
  fallback.name.clear();
  const std::optional<FontMatch> sans = state_->Match(fallback);
  if (!sans || sans->file == match->file) return Font();
  return Font(state_->Face(*sans, wanted), wanted.underline, wanted.strike_out);
}

void FontEngine::ChargeGlyphsTo(MemoryBudget& memory) {
  if (state_) state_->glyphs->ChargeTo(&memory);
}

FontEngine::Held FontEngine::HeldNow() const {
  Held held;
  if (!state_) return held;
  for (const auto& [key, file] : state_->files) held.files += file.expired() ? 0 : 1;
  for (const auto& [key, face] : state_->faces) held.faces += face.expired() ? 0 : 1;
  held.glyph_bytes = state_->glyphs->Bytes();
  return held;
}

}  // namespace velmorant::platform
