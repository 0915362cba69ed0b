#include "platform/text/font_names.hpp"

#include <array>

namespace velmorant::platform {

namespace {

struct Substitute {
  std::string_view windows_name;
  std::string_view family;
  std::string_view generic;
};

constexpr std::array<Substitute, 12> kSubstitutes = {{
    {"Arial", "Liberation Sans", "sans-serif"},
    {"Helvetica", "Liberation Sans", "sans-serif"},
    {"Arial Narrow", "Liberation Sans Narrow", "sans-serif"},
    {"Times New Roman", "Liberation Serif", "serif"},
    {"Times", "Liberation Serif", "serif"},
    {"Courier New", "Liberation Mono", "monospace"},
    {"Courier", "Liberation Mono", "monospace"},
    {"MS Sans Serif", kFallbackFamily, kFallbackFamily},
    {"Microsoft Sans Serif", kFallbackFamily, kFallbackFamily},
    {"MS Shell Dlg", kFallbackFamily, kFallbackFamily},
    {"Tahoma", kFallbackFamily, kFallbackFamily},
    {"Verdana", kFallbackFamily, kFallbackFamily},
}};

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsBlankOnly(std::string_view s) {
  for (char c : s) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

bool SameFamilyName(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  for (;;) {
    while (i < a.size() && IsBlank(a[i])) ++i;
    while (j < b.size() && IsBlank(b[j])) ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (LowerAscii(a[i]) != LowerAscii(b[j])) return false;
    ++i;
    ++j;
  }
}

FamilyChoice ChooseFamily(std::string_view windows_name) {
  for (const Substitute& s : kSubstitutes) {
    if (SameFamilyName(windows_name, s.windows_name)) {
      return {std::string(s.family), std::string(s.generic), false};
    }
  }
  if (IsBlankOnly(windows_name)) {
    return {std::string(kFallbackFamily), std::string(kFallbackFamily), false};
  }
  return {std::string(windows_name), std::string(kFallbackFamily), true};
}

}  // namespace velmorant::platform
