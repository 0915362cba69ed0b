#include "platform/text/font_matcher.hpp"

#include <string_view>
#include <vector>

#include "platform/text/font_names.hpp"
#include "platform/text/freetype_handles.hpp"

namespace velmorant::platform {

namespace {

const FcChar8* AsFc(const std::string& s) {
  return reinterpret_cast<const FcChar8*>(s.c_str());
}

std::string_view AsView(const FcChar8* s) {
  return reinterpret_cast<const char*>(s);
}

struct Answer {
  FontMatch match;
  std::vector<std::string> families;  // every family name the face answers to
};

std::optional<Answer> Query(FcConfig* config, const std::vector<std::string>& families, bool bold,
                            bool italic) {
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  for (const std::string& family : families) {
    FcPatternAddString(pattern.get(), FC_FAMILY, AsFc(family));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (!FcConfigSubstitute(config, pattern.get(), FcMatchPattern)) return std::nullopt;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  FcPatternPtr found(FcFontMatch(config, pattern.get(), &result));
  if (!found || result != FcResultMatch) return std::nullopt;

  Answer answer;
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
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(found.get(), FC_WEIGHT, 0, &weight);
  answer.match.face_is_bold = weight >= FC_WEIGHT_DEMIBOLD;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(found.get(), FC_SLANT, 0, &slant);
  answer.match.face_is_italic = slant != FC_SLANT_ROMAN;
  return answer;
}

bool AnswersTo(const Answer& answer, std::string_view family) {
  for (const std::string& f : answer.families) {
    if (SameFamilyName(f, family)) return true;
  }
  return false;
}

}  // namespace

std::string FamilyKey(std::string_view family) {
  std::string key;
  for (char c : family) {
    if (c == ' ' || c == '\t') continue;
    key.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
  }
  return key;
}

std::set<std::string> InstalledFamilies(FcConfig* config) {
  std::set<std::string> families;
  if (!config) return families;
  for (FcSetName set : {FcSetSystem, FcSetApplication}) {
    const FcFontSet* fonts = FcConfigGetFonts(config, set);
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

std::optional<FontMatch> MatchGenericFont(FcConfig* config, const std::string& generic, bool bold,
                                          bool italic) {
  if (!config) return std::nullopt;
  std::optional<Answer> answer = Query(config, {generic}, bold, italic);
  if (!answer) return std::nullopt;
  return answer->match;
}

std::optional<FontMatch> MatchFont(FcConfig* config, const FontRequest& wanted) {
  if (!config) return std::nullopt;
  const FamilyChoice choice = ChooseFamily(wanted.name);
  if (choice.must_match) {
    std::optional<Answer> exact = Query(config, {choice.family}, wanted.bold, wanted.italic);
    if (exact && AnswersTo(*exact, choice.family)) return exact->match;
    std::optional<Answer> fallback = Query(config, {choice.generic}, wanted.bold, wanted.italic);
    if (fallback) return fallback->match;
    return exact ? std::optional<FontMatch>(exact->match) : std::nullopt;
  }
  std::optional<Answer> answer =
      Query(config, {choice.family, choice.generic}, wanted.bold, wanted.italic);
  if (!answer) return std::nullopt;
  return answer->match;
}

}  // namespace velmorant::platform
