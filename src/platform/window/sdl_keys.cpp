#include "platform/window/sdl_keys.hpp"

#include "platform/window/virtual_keys.hpp"

namespace velmorant::platform {

namespace {

// Keys named by the symbol they type on the present layout.
uint16_t FromSymbol(SDL_Keycode symbol) {
  if (symbol >= SDLK_a && symbol <= SDLK_z) return uint16_t('A' + (symbol - SDLK_a));
  if (symbol >= SDLK_0 && symbol <= SDLK_9) return uint16_t('0' + (symbol - SDLK_0));
  switch (symbol) {
    case SDLK_SEMICOLON:
      return kVkOem1;
    case SDLK_EQUALS:
      return kVkOemPlus;
    case SDLK_COMMA:
      return kVkOemComma;
    case SDLK_MINUS:
      return kVkOemMinus;
    case SDLK_PERIOD:
      return kVkOemPeriod;
    case SDLK_SLASH:
      return kVkOem2;
    case SDLK_BACKQUOTE:
      return kVkOem3;
    case SDLK_LEFTBRACKET:
      return kVkOem4;
    case SDLK_BACKSLASH:
      return kVkOem5;
    case SDLK_RIGHTBRACKET:
      return kVkOem6;
    case SDLK_QUOTE:
      return kVkOem7;
    default:
      return 0;
  }
}

// The keypad: digits and the decimal point with Num Lock, the keys printed beside them without.
uint16_t FromKeypad(SDL_Scancode scancode, bool num_lock) {
  static constexpr uint16_t kWithoutNumLock[10] = {kVkInsert, kVkEnd,   kVkDown, kVkNext, kVkLeft,
                                                   kVkClear,  kVkRight, kVkHome, kVkUp,   kVkPrior};
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0) {
    // SDL numbers the keypad 1 to 9, then 0.
    const int digit = scancode == SDL_SCANCODE_KP_0 ? 0 : 1 + (scancode - SDL_SCANCODE_KP_1);
    return num_lock ? uint16_t(kVkNumpad0 + digit) : kWithoutNumLock[digit];
  }
  switch (scancode) {
    case SDL_SCANCODE_KP_PERIOD:
      return num_lock ? kVkDecimal : kVkDelete;
    case SDL_SCANCODE_KP_MULTIPLY:
      return kVkMultiply;
    case SDL_SCANCODE_KP_PLUS:
      return kVkAdd;
    case SDL_SCANCODE_KP_MINUS:
      return kVkSubtract;
    case SDL_SCANCODE_KP_DIVIDE:
      return kVkDivide;
    case SDL_SCANCODE_KP_ENTER:
      return kVkReturn;
    default:
      return 0;
  }
}

// Keys named by their position: the same on every layout.
uint16_t FromPosition(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return uint16_t('A' + (scancode - SDL_SCANCODE_A));
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return uint16_t('1' + (scancode - SDL_SCANCODE_1));
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return uint16_t(kVkF1 + (scancode - SDL_SCANCODE_F1));
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return uint16_t(kVkF13 + (scancode - SDL_SCANCODE_F13));
  }
  switch (scancode) {
    case SDL_SCANCODE_0:
      return '0';
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
      return kVkReturn;
    case SDL_SCANCODE_BACKSPACE:
      return kVkBack;
    case SDL_SCANCODE_ESCAPE:
      return kVkEscape;
    case SDL_SCANCODE_SPACE:
      return kVkSpace;
    case SDL_SCANCODE_TAB:
      return kVkTab;
    case SDL_SCANCODE_LEFT:
      return kVkLeft;
    case SDL_SCANCODE_UP:
      return kVkUp;
    case SDL_SCANCODE_RIGHT:
      return kVkRight;
    case SDL_SCANCODE_DOWN:
      return kVkDown;
    case SDL_SCANCODE_HOME:
      return kVkHome;
    case SDL_SCANCODE_END:
      return kVkEnd;
    case SDL_SCANCODE_PAGEUP:
      return kVkPrior;
    case SDL_SCANCODE_PAGEDOWN:
      return kVkNext;
    case SDL_SCANCODE_INSERT:
      return kVkInsert;
    case SDL_SCANCODE_DELETE:
      return kVkDelete;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return kVkShift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return kVkControl;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return kVkMenu;
    case SDL_SCANCODE_LGUI:
      return kVkLWin;
    case SDL_SCANCODE_RGUI:
      return kVkRWin;
    case SDL_SCANCODE_APPLICATION:
      return kVkApps;
    case SDL_SCANCODE_PAUSE:
      return kVkPause;
    case SDL_SCANCODE_CAPSLOCK:
      return kVkCapital;
    case SDL_SCANCODE_PRINTSCREEN:
      return kVkSnapshot;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return kVkNumLock;
    case SDL_SCANCODE_SCROLLLOCK:
      return kVkScroll;
    case SDL_SCANCODE_SEMICOLON:
      return kVkOem1;
    case SDL_SCANCODE_EQUALS:
      return kVkOemPlus;
    case SDL_SCANCODE_COMMA:
      return kVkOemComma;
    case SDL_SCANCODE_MINUS:
      return kVkOemMinus;
    case SDL_SCANCODE_PERIOD:
      return kVkOemPeriod;
    case SDL_SCANCODE_SLASH:
      return kVkOem2;
    case SDL_SCANCODE_GRAVE:
      return kVkOem3;
    case SDL_SCANCODE_LEFTBRACKET:
      return kVkOem4;
    case SDL_SCANCODE_BACKSLASH:
      return kVkOem5;
    case SDL_SCANCODE_RIGHTBRACKET:
      return kVkOem6;
    case SDL_SCANCODE_APOSTROPHE:
      return kVkOem7;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return kVkOem102;
    default:
      return 0;
  }
}

}  // namespace

uint16_t VirtualKeyOf(SDL_Keycode symbol, SDL_Scancode scancode, uint16_t modifiers) {
  if (const uint16_t keypad = FromKeypad(scancode, (modifiers & KMOD_NUM) != 0)) return keypad;
  // A key whose symbol is no ASCII letter, digit or punctuation mark is named by its position.
  if (const uint16_t typed = FromSymbol(symbol)) return typed;
  return FromPosition(scancode);
}

}  // namespace velmorant::platform
