#include "platform/web/web_keys.hpp"

#include <array>
#include <utility>

#include "platform/window/virtual_keys.hpp"

namespace velmorant::platform {

namespace {

using Named = std::pair<std::string_view, uint16_t>;

// Punctuation as typed, the same marks the desktop's layout mapping knows.
constexpr std::array<Named, 11> kTypedMarks = {{
    {";", kVkOem1},
    {"=", kVkOemPlus},
    {",", kVkOemComma},
    {"-", kVkOemMinus},
    {".", kVkOemPeriod},
    {"/", kVkOem2},
    {"`", kVkOem3},
    {"[", kVkOem4},
    {"\\", kVkOem5},
    {"]", kVkOem6},
    {"'", kVkOem7},
}};

// Keys by position, as the DOM's `code` names them.
constexpr std::array<Named, 47> kPositions = {{
    {"Enter", kVkReturn},
    {"NumpadEnter", kVkReturn},
    {"Backspace", kVkBack},
    {"Escape", kVkEscape},
    {"Space", kVkSpace},
    {"Tab", kVkTab},
    {"ArrowLeft", kVkLeft},
    {"ArrowUp", kVkUp},
    {"ArrowRight", kVkRight},
    {"ArrowDown", kVkDown},
    {"Home", kVkHome},
    {"End", kVkEnd},
    {"PageUp", kVkPrior},
    {"PageDown", kVkNext},
    {"Insert", kVkInsert},
    {"Delete", kVkDelete},
    {"ShiftLeft", kVkShift},
    {"ShiftRight", kVkShift},
    {"ControlLeft", kVkControl},
    {"ControlRight", kVkControl},
    {"AltLeft", kVkMenu},
    {"AltRight", kVkMenu},
    {"MetaLeft", kVkLWin},
    {"MetaRight", kVkRWin},
    {"ContextMenu", kVkApps},
    {"Pause", kVkPause},
    {"CapsLock", kVkCapital},
    {"PrintScreen", kVkSnapshot},
    {"NumLock", kVkNumLock},
    {"ScrollLock", kVkScroll},
    {"Semicolon", kVkOem1},
    {"Equal", kVkOemPlus},
    {"Comma", kVkOemComma},
    {"Minus", kVkOemMinus},
    {"Period", kVkOemPeriod},
    {"Slash", kVkOem2},
    {"Backquote", kVkOem3},
    {"BracketLeft", kVkOem4},
    {"Backslash", kVkOem5},
    {"BracketRight", kVkOem6},
    {"Quote", kVkOem7},
    {"IntlBackslash", kVkOem102},
    {"NumpadMultiply", kVkMultiply},
    {"NumpadAdd", kVkAdd},
    {"NumpadSubtract", kVkSubtract},
    {"NumpadDivide", kVkDivide},
    {"Clear", kVkClear},
}};

uint16_t Find(std::string_view name, const auto& table) {
  for (const Named& n : table) {
    if (n.first == name) return n.second;
  }
  return 0;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// The number after `prefix` in names such as "F12" or "Digit7"; -1 when there is none.
int NumberAfter(std::string_view s, std::string_view prefix) {
  if (!StartsWith(s, prefix) || s.size() == prefix.size() || s.size() > prefix.size() + 2)
    return -1;
  int n = 0;
  for (char c : s.substr(prefix.size())) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

uint16_t FromKeypad(std::string_view code, bool num_lock) {
  static constexpr std::array<uint16_t, 10> kWithoutNumLock = {
      kVkInsert, kVkEnd, kVkDown, kVkNext, kVkLeft, kVkClear, kVkRight, kVkHome, kVkUp, kVkPrior};
  if (code.size() == 7 && StartsWith(code, "Numpad") && code[6] >= '0' && code[6] <= '9') {
    const int digit = code[6] - '0';
    return num_lock ? uint16_t(kVkNumpad0 + digit) : kWithoutNumLock[size_t(digit)];
  }
  if (code == "NumpadDecimal") return num_lock ? kVkDecimal : kVkDelete;
  return 0;
}

uint16_t FromTyped(std::string_view key) {
  if (key.size() != 1) return 0;
  const char c = key[0];
  if (c >= 'a' && c <= 'z') return uint16_t(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return uint16_t(c);
  if (c >= '0' && c <= '9') return uint16_t(c);
  return Find(key, kTypedMarks);
}

uint16_t FromPosition(std::string_view code) {
  if (code.size() == 4 && StartsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z') {
    return uint16_t(code[3]);
  }
  if (code.size() == 6 && StartsWith(code, "Digit") && code[5] >= '0' && code[5] <= '9') {
    return uint16_t(code[5]);
  }
  if (const int f = NumberAfter(code, "F"); f >= 1 && f <= 24) return uint16_t(kVkF1 + f - 1);
  return Find(code, kPositions);
}

}  // namespace

uint16_t VirtualKeyOfDom(std::string_view code, std::string_view key, bool num_lock) {
  if (const uint16_t keypad = FromKeypad(code, num_lock)) return keypad;
  // The keypad's operators type marks the layout table would misread.
  if (StartsWith(code, "Numpad")) return FromPosition(code);
  if (const uint16_t typed = FromTyped(key)) return typed;
  return FromPosition(code);
}

}  // namespace velmorant::platform
