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

// Script suffixes of the faces Windows names per character set ("Arial CE", "Times New Roman
// CYR"); its font-substitution table sends them to the face without the suffix.
constexpr std::array<std::string_view, 5> kScriptSuffixes = {"CE", "CYR", "Greek", "Tur", "Baltic"};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsBlankOnly(std::string_view s) {
  for (char c : s) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

std::string_view WithoutScriptSuffix(std::string_view name) {
  size_t end = name.size();
  while (end > 0 && IsBlank(name[end - 1])) --end;
  const std::string_view trimmed = name.substr(0, end);
  for (std::string_view suffix : kScriptSuffixes) {
    if (trimmed.size() <= suffix.size() + 1) continue;
    const size_t at = trimmed.size() - suffix.size();
    if (!IsBlank(trimmed[at - 1]) || !EqualsIgnoringAsciiCase(trimmed.substr(at), suffix)) continue;
    std::string_view face = trimmed.substr(0, at);
    while (!face.empty() && IsBlank(face.back())) face.remove_suffix(1);
    if (!IsBlankOnly(face)) return face;
  }
  return name;
}

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

std::string FamilyKey(std::string_view family) {
  std::string key;
  for (char c : family) {
    if (!IsBlank(c)) key.push_back(LowerAscii(c));
  }
  return key;
}

FamilyChoice ChooseFamily(std::string_view requested_name) {
  const std::string_view windows_name = WithoutScriptSuffix(requested_name);
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
