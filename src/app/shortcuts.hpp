#pragma once

#include <cstdint>

namespace velmorant {

class Player;

// The key-down walk over the active shortcuts: the first match consumes the key, stores its action
// and, for a leaving code, asks the window to close.
void RunShortcuts(Player& player, uint16_t& key);

}  // namespace velmorant
