#include "app/shortcuts.hpp"

#include "app/player.hpp"

namespace velmorant {

namespace {
constexpr uint16_t kVkEscape = 27;
}

void RunShortcuts(Player& player, uint16_t& key) {
  TDisplay& display = player.display;
  // A page without a screen has no shortcuts of its own; Escape must still end the show.
  if (!player.screens.IsValid(player.media.ScreenOf(display.CurrentPage))) {
    if (key == kVkEscape) {
      key = 0;
      player.LeavePage({kActionEnd, 0});
    }
    return;
  }
  const auto& table = player.definition.TKlawisze;
  for (int32_t i : display.ActiveKeys.Items()) {
    if (i < 0 || size_t(i) >= table.size()) continue;
    const TKla& shortcut = table[size_t(i)];
    if (uint32_t(shortcut.key) != uint32_t(key)) continue;
    key = 0;
    if (IsLeavingCode(shortcut.action.code)) {
      // The walk ends here: a later record with key 0 would match the consumed key and
      // overwrite the action that closes the window.
      player.LeavePage(shortcut.action);
      return;
    }
    display.PendingAction = shortcut.action;
  }
}

}  // namespace velmorant
