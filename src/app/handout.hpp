#pragma once

#include <cstdint>

#include "app/player.hpp"
#include "platform/handout/handout_pdf.hpp"
#include "platform/loop/event_loop.hpp"

namespace velmorant {

// How long a page is left to settle before its picture is taken: its delayed elements have
// appeared by then.
inline constexpr int32_t kHandoutSettleMs = 3000;

// Walks the play sequence in order, entry by entry, and gives each a handout page: the picture
// the window shows once the page has settled, the entry number, and the page's texts. Entries
// without a valid screen cannot be shown and get a page that says so. The player must hold its
// pages (PlayerOptions::hold_pages) so that nothing but the walk moves on.
class HandoutWalk {
 public:
  HandoutWalk(Player& player, platform::HandoutPdf& pdf);
  HandoutWalk(const HandoutWalk&) = delete;
  HandoutWalk& operator=(const HandoutWalk&) = delete;

  // How many handout pages have been written.
  int32_t Written() const { return written_; }

 private:
  void PageShown(int32_t page);
  void Capture(int32_t page);
  // Writes the pages of the entries before `page` that cannot be shown.
  void WriteUnshownBefore(int32_t page);
  int32_t NextShowable(int32_t after) const;

  Player& player_;
  platform::HandoutPdf& pdf_;
  platform::Timer settle_;
  int32_t written_ = 0;  // entries 0 .. written_-1 have their pages
};

}  // namespace velmorant
