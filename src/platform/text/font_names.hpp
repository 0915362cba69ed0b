#pragma once

#include <string>
#include <string_view>

namespace velmorant::platform {

// The generic family every unknown or GUI typeface falls back to.
inline constexpr std::string_view kFallbackFamily = "sans-serif";

// How a Windows typeface name is looked up among the fonts.
struct FamilyChoice {
  std::string family;       // the family to ask for
  std::string generic;      // the generic family behind it ("sans-serif", "serif", "monospace")
  bool must_match = false;  // true: use the answer only when its family is `family` itself
};

// "Arial CE" and the like (script suffixes CE, CYR, Greek, Tur, Baltic) name the face without the
// suffix; other names come back as they are.
std::string_view WithoutScriptSuffix(std::string_view name);

// Script suffixes are dropped first. Core Windows faces map to metric-compatible families; GUI
// faces to the generic sans; any other name is asked for as it stands and is used only if it is
// really there.
FamilyChoice ChooseFamily(std::string_view requested_name);

// Family names compare as the system's font setup compares them: ASCII case and blanks do not
// count.
bool SameFamilyName(std::string_view a, std::string_view b);

// A family name as SameFamilyName compares it: ASCII case and blanks left out.
std::string FamilyKey(std::string_view family);

}  // namespace velmorant::platform
