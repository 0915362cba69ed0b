#pragma once

#include <fontconfig/fontconfig.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// The font file fontconfig chose for a wanted, and what that face provides itself.
struct FontMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool face_is_bold = false;
  bool face_is_italic = false;
};

// Finds the scalable face for `wanted` (see ChooseFamily); nothing when the configuration has no
// fonts.
std::optional<FontMatch> MatchFont(FcConfig* config, const FontRequest& wanted);

// The family names the configuration's fonts answer to, as FamilyKey gives them.
std::set<std::string> InstalledFamilies(FcConfig* config);
// A family name as SameFamilyName compares it: ASCII case and blanks left out.
std::string FamilyKey(std::string_view family);
// What MatchFont answers for a name that must match and that no installed font answers to: the
// generic family's face, asked of fontconfig once for all such names.
std::optional<FontMatch> MatchGenericFont(FcConfig* config, const std::string& generic, bool bold,
                                          bool italic);

}  // namespace velmorant::platform
