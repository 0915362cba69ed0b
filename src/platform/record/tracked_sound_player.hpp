#pragma once

#include <string>

#include "platform/audio/sound_player.hpp"
#include "platform/loop/clock.hpp"
#include "platform/memory_budget.hpp"
#include "platform/record/sound_track.hpp"

namespace velmorant::platform {

// Hands every request to the run's own sound player and puts what that player plays on the
// track: a played file from now on, once or looped; a stop, or a file that failed, silences the
// voice; a request refused because another sound plays leaves that sound playing.
class TrackedSoundPlayer final : public SoundPlayer {
 public:
  static constexpr int kVoice = 0;

  TrackedSoundPlayer(SoundPlayer& inner, SoundTrack& track, const Clock& clock,
                     MemoryBudget* budget = nullptr)
      : inner_(inner), track_(track), clock_(clock), budget_(budget) {}
  bool PlaySound(const std::string& path, uint32_t flags) override;

 private:
  SoundTrack::Samples Samples(const std::string& path);

  SoundPlayer& inner_;
  SoundTrack& track_;
  const Clock& clock_;
  MemoryBudget* budget_;
  // The sound decoded last, kept for a page that plays it again; what the track still mixes it
  // holds itself.
  std::string decoded_path_;
  SoundTrack::Samples decoded_;
};

}  // namespace velmorant::platform
