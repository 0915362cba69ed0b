#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "platform/text/font_catalog.hpp"
#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// The scalable face for `wanted` (see ChooseFamily); nothing when the catalog has no fonts.
std::optional<FontMatch> MatchFont(const FontCatalog& catalog, const FontRequest& wanted);

// What MatchFont answers for a name that must match and that no font answers to: the generic
// family's face.
std::optional<FontMatch> MatchGenericFont(const FontCatalog& catalog, const std::string& generic,
                                          bool bold, bool italic);

// An engine's answers to font requests, kept: a document naming thousands of fonts asks the
// catalog once for each, and every name no font answers to shares its generic family's answer.
class FontLookup {
 public:
  explicit FontLookup(const FontCatalog& catalog) : catalog_(catalog) {}

  std::optional<FontMatch> Match(const FontRequest& wanted);

 private:
  using Key = std::tuple<std::string, bool, bool>;
  std::optional<FontMatch> Ask(const FontRequest& wanted);

  const FontCatalog& catalog_;
  std::map<Key, std::optional<FontMatch>> matches_;
  std::map<Key, std::optional<FontMatch>> generic_matches_;
  std::optional<std::set<std::string>> installed_;
};

}  // namespace velmorant::platform
