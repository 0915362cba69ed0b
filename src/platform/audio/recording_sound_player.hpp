#pragma once

#include "platform/audio/sound_player.hpp"
#include "platform/loop/event_log.hpp"

namespace velmorant::platform {

// Sounds without a sound card: every request becomes a "sound" event of the log.
class RecordingSoundPlayer final : public SoundPlayer {
 public:
  explicit RecordingSoundPlayer(EventLog& log) : log_(log) {}
  bool PlaySound(const std::string& path, uint32_t flags) override;

 private:
  EventLog& log_;
};

}  // namespace velmorant::platform
