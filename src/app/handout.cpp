#include "app/handout.hpp"

#include "app/page_texts.hpp"

namespace velmorant {

namespace {

// Counted from 1 for readers, with the entry's index as the definition and the event log count.
std::string Heading(int32_t page, int32_t count) {
  return "Page " + std::to_string(page + 1) + " of " + std::to_string(count) + " (entry " +
         std::to_string(page) + ")";
}

}  // namespace

HandoutWalk::HandoutWalk(Player& player, platform::HandoutPdf& pdf)
    : player_(player), pdf_(pdf), settle_(player.backend.Loop()) {
  player_.OnPageShown = [this](int32_t page) { PageShown(page); };
}

int32_t HandoutWalk::NextShowable(int32_t after) const {
  for (int32_t page = after + 1; page < player_.media.Count(); ++page) {
    if (player_.screens.IsValid(player_.media.ScreenOf(page))) return page;
  }
  return -1;
}

void HandoutWalk::WriteUnshownBefore(int32_t page) {
  const int32_t count = player_.media.Count();
  for (; written_ < page && written_ < count; ++written_) {
    platform::HandoutPage unshown;
    unshown.heading = Heading(written_, count);
    unshown.texts = {"This entry names no screen of the presentation: the player never shows it."};
    pdf_.AddPage(unshown);
  }
}

void HandoutWalk::PageShown(int32_t page) {
  // A page shown again (a refused move) has its picture already.
  if (page < written_) return;
  // With no entry that has a screen the player shows an empty window: nothing to take.
  if (!player_.screens.IsValid(player_.media.ScreenOf(page))) {
    WriteUnshownBefore(player_.media.Count());
    player_.LeaveFor({kActionEnd, 0});
    return;
  }
  WriteUnshownBefore(page);
  settle_.Arm(kHandoutSettleMs, [this, page] {
    settle_.Disarm();
    Capture(page);
  });
}

void HandoutWalk::Capture(int32_t page) {
  const platform::Bitmap picture = player_.window->Composite();
  platform::HandoutPage handout;
  handout.heading = Heading(page, player_.media.Count());
  handout.picture = &picture;
  handout.texts = PageTexts(player_.definition, page, player_.assets, player_.codepage);
  pdf_.AddPage(handout);
  written_ = page + 1;
  const int32_t next = NextShowable(page);
  if (next < 0) {
    WriteUnshownBefore(player_.media.Count());
    player_.LeaveFor({kActionEnd, 0});
  } else {
    player_.LeaveFor({kActionGoTo, next});
  }
}

}  // namespace velmorant
