#include "platform/text/font_engine.hpp"

#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "platform/text/font_face.hpp"
#include "platform/text/font_file.hpp"
#include "platform/text/font_lookup.hpp"
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

}  // namespace

struct FontEngine::State {
  FtLibraryHandle library;
  std::unique_ptr<FontCatalog> catalog;
  std::optional<FontLookup> lookup;  // on `catalog`, once there is one
  bool has_fonts = false;
  std::shared_ptr<GlyphCache> glyphs = std::make_shared<GlyphCache>();

  using FileKey = std::pair<std::string, int>;
  std::map<FileKey, std::weak_ptr<FontFile>> files;
  size_t sweep_files_at = 64;
  using FaceKey = std::tuple<std::string, int, int32_t, bool, bool>;
  std::map<FaceKey, std::weak_ptr<const FontFace>> faces;
  size_t sweep_faces_at = 64;

  std::shared_ptr<const FontFace> Face(const FontMatch& match, const FontRequest& wanted);
};

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

FontEngine::FontEngine() : FontEngine(Options{}) {}

FontEngine::FontEngine(const Options& options) : FontEngine(MakeFontCatalog(options)) {}

FontEngine::FontEngine(std::unique_ptr<FontCatalog> catalog) : state_(std::make_unique<State>()) {
  state_->library = StartFreeType();
  state_->catalog = std::move(catalog);
  state_->has_fonts = state_->library && state_->catalog && state_->catalog->HasFonts();
  if (state_->catalog) state_->lookup.emplace(*state_->catalog);
}

FontEngine::~FontEngine() = default;
FontEngine::FontEngine(FontEngine&&) noexcept = default;
FontEngine& FontEngine::operator=(FontEngine&&) noexcept = default;

bool FontEngine::HasFonts() const {
  return state_ && state_->has_fonts;
}

Font FontEngine::CreateFont(const FontRequest& wanted) const {
  if (!HasFonts()) return Font();
  const std::optional<FontMatch> match = state_->lookup->Match(wanted);
  if (!match) return Font();
  if (auto face = state_->Face(*match, wanted)) {
    return Font(std::move(face), wanted.underline, wanted.strike_out);
  }
  // A broken file behind the name: the generic sans still gives the text a face.
  FontRequest fallback = wanted;
  fallback.name.clear();
  const std::optional<FontMatch> sans = state_->lookup->Match(fallback);
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
