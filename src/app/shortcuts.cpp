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
      player.LeavePage(shortcut.action);
    } else {
      display.PendingAction = shortcut.action;
    }
  }
}

}  // namespace velmorant
