#include "platform/text/fontconfig_catalog.hpp"

#include <string_view>

#include "platform/text/font_names.hpp"

namespace velmorant::platform {

namespace {

const FcChar8* AsFc(const std::string& s) {
  return reinterpret_cast<const FcChar8*>(s.c_str());
}

std::string_view AsView(const FcChar8* s) {
  return reinterpret_cast<const char*>(s);
}

constexpr FcSetName kSets[] = {FcSetSystem, FcSetApplication};

// Without the machine's fonts the configuration is still the default one, so that the generic
// and metric-compatible names keep their aliases among the given files.
FcConfigPtr LoadConfig(const FontSources& sources) {
  FcConfigPtr config(sources.system_fonts ? FcInitLoadConfigAndFonts() : FcInitLoadConfig());
  if (!config) return nullptr;
  for (const std::string& file : sources.font_files) {
    FcConfigAppFontAddFile(config.get(), AsFc(file));
  }
  return config;
}

// The face as it was scanned. A match carries what fontconfig would synthesise for it (a weight
// or slant the face lacks); the engine makes those up itself, so it needs the face's own.
const FcPattern* ScannedFace(FcConfig* config, std::string_view file, int index) {
  for (FcSetName set : kSets) {
    const FcFontSet* fonts = FcConfigGetFonts(config, set);
    if (!fonts) continue;
    for (int i = 0; i < fonts->nfont; ++i) {
      FcChar8* f = nullptr;
      int n = 0;
      if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &f) != FcResultMatch || !f) continue;
      FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &n);
      if (n == index && AsView(f) == file) return fonts->fonts[i];
    }
  }
  return nullptr;
}

void ReadStyle(const FcPattern* face, FontMatch& match) {
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(face, FC_WEIGHT, 0, &weight);
  match.face_is_bold = weight >= FC_WEIGHT_DEMIBOLD;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(face, FC_SLANT, 0, &slant);
  match.face_is_italic = slant != FC_SLANT_ROMAN;
}

}  // namespace

FontconfigCatalog::FontconfigCatalog(const FontSources& sources) : config_(LoadConfig(sources)) {}

bool FontconfigCatalog::HasFonts() const {
  if (!config_) return false;
  for (FcSetName set : kSets) {
    const FcFontSet* fonts = FcConfigGetFonts(config_.get(), set);
    if (fonts && fonts->nfont > 0) return true;
  }
  return false;
}

std::optional<FontAnswer> FontconfigCatalog::Find(const FontQuery& query) const {
  if (!config_) return std::nullopt;
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  for (const std::string& family : query.families) {
    FcPatternAddString(pattern.get(), FC_FAMILY, AsFc(family));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, query.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, query.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (!FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern)) return std::nullopt;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  FcPatternPtr found(FcFontMatch(config_.get(), pattern.get(), &result));
  if (!found || result != FcResultMatch) return std::nullopt;

  FontAnswer answer;
  FcChar8* file = nullptr;
  if (FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || !file) {
    return std::nullopt;
  }
  answer.match.file = std::string(AsView(file));
  int index = 0;
  if (FcPatternGetInteger(found.get(), FC_INDEX, 0, &index) == FcResultMatch) {
    answer.match.index = index;
  }
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(found.get(), FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    answer.families.emplace_back(AsView(family));
  }
  if (!answer.families.empty()) answer.match.family = answer.families.front();
  const FcPattern* scanned = ScannedFace(config_.get(), answer.match.file, answer.match.index);
  ReadStyle(scanned ? scanned : found.get(), answer.match);
  return answer;
}

std::set<std::string> FontconfigCatalog::InstalledFamilies() const {
  std::set<std::string> families;
  if (!config_) return families;
  for (FcSetName set : kSets) {
    const FcFontSet* fonts = FcConfigGetFonts(config_.get(), set);
    if (!fonts) continue;
    for (int i = 0; i < fonts->nfont; ++i) {
      FcChar8* family = nullptr;
      for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch;
           ++n) {
        families.insert(FamilyKey(AsView(family)));
      }
    }
  }
  return families;
}

}  // namespace velmorant::platform
