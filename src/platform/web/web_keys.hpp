#pragma once

#include <cstdint>
#include <string_view>

namespace velmorant::platform {

// The Windows virtual-key code of a DOM key press, or 0 for keys the player does not know: as on
// the desktop, letters, digits and punctuation follow what the layout types, other keys their
// position, and the keypad gives digits with Num Lock on and the navigation keys without it.
uint16_t VirtualKeyOfDom(std::string_view code, std::string_view key, bool num_lock);

}  // namespace velmorant::platform
