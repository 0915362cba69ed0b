#pragma once

#include <SDL.h>

#include <cstdint>

namespace velmorant::platform {

// The Windows virtual-key code of an SDL key press, or 0 for keys the player does not know.
// Letters, digits and punctuation follow the keyboard layout (the key's symbol); other keys follow
// their position. The keypad gives digits with Num Lock on and the navigation keys without it.
uint16_t VirtualKeyOf(SDL_Keycode symbol, SDL_Scancode scancode, uint16_t modifiers);

}  // namespace velmorant::platform
