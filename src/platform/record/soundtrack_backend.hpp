#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forwarding_backend.hpp"
#include "platform/record/sound_track.hpp"
#include "platform/record/tracked_sound_player.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant::platform {

// A headless run whose wave sounds and film soundtracks are mixed into one track on its virtual
// clock, as a recorded video's sound is, for runs that keep only the sound.
class SoundtrackBackend final : public ForwardingBackend {
 public:
  explicit SoundtrackBackend(std::unique_ptr<HeadlessBackend> run);
  ~SoundtrackBackend() override;

  SoundPlayer& Sounds() override { return sounds_; }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override;

  // The track from the start to the moment the run is at; 16-bit interleaved in Format().
  const std::vector<int16_t>& Finish();
  const SoundFormat& Format() const { return track_.Format(); }

 private:
  std::unique_ptr<HeadlessBackend> run_;
  SoundTrack track_;
  TrackedSoundPlayer sounds_;
  int next_film_voice_ = TrackedSoundPlayer::kVoice + 1;
  std::vector<int16_t> mixed_;
};

}  // namespace velmorant::platform
