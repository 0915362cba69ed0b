#include "platform/text/font_lookup.hpp"

#include "platform/text/font_names.hpp"

namespace velmorant::platform {

namespace {

// Answers kept per lookup before they are all forgotten.
constexpr size_t kMatchesKept = 8192;

bool AnswersTo(const FontAnswer& answer, std::string_view family) {
  for (const std::string& f : answer.families) {
    if (SameFamilyName(f, family)) return true;
  }
  return false;
}

std::optional<FontAnswer> Find(const FontCatalog& catalog, std::vector<std::string> families,
                               bool bold, bool italic) {
  return catalog.Find(FontQuery{std::move(families), bold, italic});
}

}  // namespace

std::optional<FontMatch> MatchGenericFont(const FontCatalog& catalog, const std::string& generic,
                                          bool bold, bool italic) {
  std::optional<FontAnswer> answer = Find(catalog, {generic}, bold, italic);
  if (!answer) return std::nullopt;
  return answer->match;
}

std::optional<FontMatch> MatchFont(const FontCatalog& catalog, const FontRequest& wanted) {
  const FamilyChoice choice = ChooseFamily(wanted.name);
  if (choice.must_match) {
    std::optional<FontAnswer> exact = Find(catalog, {choice.family}, wanted.bold, wanted.italic);
    if (exact && AnswersTo(*exact, choice.family)) return exact->match;
    std::optional<FontMatch> fallback =
        MatchGenericFont(catalog, choice.generic, wanted.bold, wanted.italic);
    if (fallback) return fallback;
    return exact ? std::optional<FontMatch>(exact->match) : std::nullopt;
  }
  std::optional<FontAnswer> answer =
      Find(catalog, {choice.family, choice.generic}, wanted.bold, wanted.italic);
  if (!answer) return std::nullopt;
  return answer->match;
}

std::optional<FontMatch> FontLookup::Match(const FontRequest& wanted) {
  Key key{wanted.name, wanted.bold, wanted.italic};
  if (auto it = matches_.find(key); it != matches_.end()) return it->second;
  if (matches_.size() >= kMatchesKept) matches_.clear();
  return matches_.emplace(std::move(key), Ask(wanted)).first->second;
}

std::optional<FontMatch> FontLookup::Ask(const FontRequest& wanted) {
  const FamilyChoice choice = ChooseFamily(wanted.name);
  if (!choice.must_match) return MatchFont(catalog_, wanted);
  if (!installed_) installed_ = catalog_.InstalledFamilies();
  if (installed_->count(FamilyKey(choice.family))) return MatchFont(catalog_, wanted);
  // No font answers to the name: it gets its generic family's face, as every such name does.
  Key key{choice.generic, wanted.bold, wanted.italic};
  auto it = generic_matches_.find(key);
  if (it == generic_matches_.end()) {
    it = generic_matches_
             .emplace(std::move(key),
                      MatchGenericFont(catalog_, choice.generic, wanted.bold, wanted.italic))
             .first;
  }
  return it->second ? it->second : MatchFont(catalog_, wanted);
}

}  // namespace velmorant::platform
