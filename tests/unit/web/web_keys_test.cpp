#include <gtest/gtest.h>

#include "platform/web/web_keys.hpp"
#include "platform/window/virtual_keys.hpp"

namespace velmorant::platform {
namespace {

TEST(WebKeys, LettersDigitsAndMarksFollowWhatTheLayoutTypes) {
  EXPECT_EQ(VirtualKeyOfDom("KeyA", "a", false), 'A');
  EXPECT_EQ(VirtualKeyOfDom("KeyA", "A", false), 'A');
  // A German or Polish QWERTZ key: the letter it types, not its place.
  EXPECT_EQ(VirtualKeyOfDom("KeyY", "z", false), 'Z');
  EXPECT_EQ(VirtualKeyOfDom("Semicolon", ";", false), kVkOem1);
  EXPECT_EQ(VirtualKeyOfDom("Slash", "-", false), kVkOemMinus);
}

TEST(WebKeys, WhatTypesNoPlainMarkIsNamedByItsPlace) {
  // AltGr+A on a Polish keyboard types "ą": still the A key.
  EXPECT_EQ(VirtualKeyOfDom("KeyA", "ą", false), 'A');
  EXPECT_EQ(VirtualKeyOfDom("KeyL", "Ł", false), 'L');
  // Shifted digits and marks.
  EXPECT_EQ(VirtualKeyOfDom("Digit1", "!", false), '1');
  EXPECT_EQ(VirtualKeyOfDom("Quote", "\"", false), kVkOem7);
  EXPECT_EQ(VirtualKeyOfDom("IntlBackslash", "<", false), kVkOem102);
  // A dead key's accent is named by its place.
  EXPECT_EQ(VirtualKeyOfDom("BracketLeft", "Dead", false), kVkOem4);
}

TEST(WebKeys, NamedKeysFunctionKeysAndModifiers) {
  EXPECT_EQ(VirtualKeyOfDom("Enter", "Enter", false), kVkReturn);
  EXPECT_EQ(VirtualKeyOfDom("Escape", "Escape", false), kVkEscape);
  EXPECT_EQ(VirtualKeyOfDom("Space", " ", false), kVkSpace);
  EXPECT_EQ(VirtualKeyOfDom("ArrowLeft", "ArrowLeft", false), kVkLeft);
  EXPECT_EQ(VirtualKeyOfDom("PageDown", "PageDown", false), kVkNext);
  EXPECT_EQ(VirtualKeyOfDom("F1", "F1", false), kVkF1);
  EXPECT_EQ(VirtualKeyOfDom("F12", "F12", false), kVkF1 + 11);
  EXPECT_EQ(VirtualKeyOfDom("F24", "F24", false), kVkF13 + 11);
  EXPECT_EQ(VirtualKeyOfDom("F25", "F25", false), 0);
  EXPECT_EQ(VirtualKeyOfDom("ShiftRight", "Shift", false), kVkShift);
  EXPECT_EQ(VirtualKeyOfDom("AltRight", "AltGraph", false), kVkMenu);
}

TEST(WebKeys, TheKeypadFollowsNumLock) {
  EXPECT_EQ(VirtualKeyOfDom("Numpad7", "7", true), kVkNumpad0 + 7);
  EXPECT_EQ(VirtualKeyOfDom("Numpad7", "Home", false), kVkHome);
  EXPECT_EQ(VirtualKeyOfDom("Numpad5", "Clear", false), kVkClear);
  EXPECT_EQ(VirtualKeyOfDom("NumpadDecimal", ",", true), kVkDecimal);
  EXPECT_EQ(VirtualKeyOfDom("NumpadDecimal", "Delete", false), kVkDelete);
  // The keypad's operators are never read as typed marks.
  EXPECT_EQ(VirtualKeyOfDom("NumpadSubtract", "-", true), kVkSubtract);
  EXPECT_EQ(VirtualKeyOfDom("NumpadDivide", "/", true), kVkDivide);
  EXPECT_EQ(VirtualKeyOfDom("NumpadEnter", "Enter", true), kVkReturn);
}

TEST(WebKeys, UnknownKeysGiveNothing) {
  EXPECT_EQ(VirtualKeyOfDom("", "", false), 0);
  EXPECT_EQ(VirtualKeyOfDom("Unidentified", "Unidentified", false), 0);
  EXPECT_EQ(VirtualKeyOfDom("KeyAB", "", false), 0);
  EXPECT_EQ(VirtualKeyOfDom("Digit", "", false), 0);
}

}  // namespace
}  // namespace velmorant::platform
