#pragma once

#include "platform/audio/sound_player.hpp"
#include "platform/audio/sound_refusals.hpp"
#include "platform/loop/clock.hpp"
#include "platform/loop/event_log.hpp"

namespace velmorant::platform {

// Sounds without a sound card: every request becomes a "sound" event of the log. Each file is
// decoded as the desktop would, so `result` says whether it would sound, and a sound "plays" for
// its real length on the clock (for ever when looped), which is what the no-stop flag asks about.
class RecordingSoundPlayer final : public SoundPlayer {
 public:
  // The samples are decoded only to be measured, but charged to `budget` all the same, so that a
  // headless run refuses what a desktop would.
  RecordingSoundPlayer(EventLog& log, const Clock& clock, MemoryBudget* budget = nullptr)
      : log_(log), clock_(clock), budget_(budget) {}
  bool PlaySound(const std::string& path, uint32_t flags) override;

 private:
  EventLog& log_;
  const Clock& clock_;
  MemoryBudget* budget_;
  SoundRefusals refusals_;
  int64_t playing_until_ = 0;
};

}  // namespace velmorant::platform
