#pragma once

#include <cstdint>

namespace velmorant::platform {

// The Windows virtual-key codes the backends' key mappings produce.
enum Vk : uint16_t {
  kVkBack = 8,
  kVkTab = 9,
  kVkClear = 12,
  kVkReturn = 13,
  kVkShift = 16,
  kVkControl = 17,
  kVkMenu = 18,
  kVkPause = 19,
  kVkCapital = 20,
  kVkEscape = 27,
  kVkSpace = 32,
  kVkPrior = 33,
  kVkNext = 34,
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkSnapshot = 44,
  kVkInsert = 45,
  kVkDelete = 46,
  kVkLWin = 91,
  kVkRWin = 92,
  kVkApps = 93,
  kVkNumpad0 = 96,
  kVkMultiply = 106,
  kVkAdd = 107,
  kVkSubtract = 109,
  kVkDecimal = 110,
  kVkDivide = 111,
  kVkF1 = 112,
  kVkF13 = 124,
  kVkNumLock = 144,
  kVkScroll = 145,
  kVkOem1 = 186,
  kVkOemPlus = 187,
  kVkOemComma = 188,
  kVkOemMinus = 189,
  kVkOemPeriod = 190,
  kVkOem2 = 191,
  kVkOem3 = 192,
  kVkOem4 = 219,
  kVkOem5 = 220,
  kVkOem6 = 221,
  kVkOem7 = 222,
  kVkOem102 = 226,
};

}  // namespace velmorant::platform
