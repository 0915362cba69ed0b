#include "platform/record/tracked_sound_player.hpp"

#include "platform/audio/shared_samples.hpp"
#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

SoundTrack::Samples TrackedSoundPlayer::Samples(const std::string& path) {
  if (decoded_ && decoded_path_ == path) return decoded_;
  decoded_.reset();  // its charge goes before the next sound is judged
  LoadedWave wave = LoadWave(path, track_.Format(), budget_);
  decoded_ = ShareSamples(std::move(wave.samples), std::move(wave.charge));
  decoded_path_ = path;
  return decoded_;
}

bool TrackedSoundPlayer::PlaySound(const std::string& path, uint32_t flags) {
  const int64_t now = clock_.NowMs();
  const bool was_playing = track_.Playing(kVoice, now);
  const bool played = inner_.PlaySound(path, flags);
  if (played && !path.empty()) {
    track_.Start(kVoice, now, Samples(path), 0, (flags & kSndLoop) != 0);
  } else if (!(flags & kSndNoStop) || !was_playing || path.empty()) {
    track_.Stop(kVoice, now);
  }
  return played;
}

}  // namespace velmorant::platform
