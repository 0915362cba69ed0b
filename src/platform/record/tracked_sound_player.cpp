#include "platform/record/tracked_sound_player.hpp"

#include <memory>

#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

SoundTrack::Samples TrackedSoundPlayer::Samples(const std::string& path) {
  auto& samples = decoded_[path];
  if (!samples) {
    samples = std::make_shared<const std::vector<int16_t>>(LoadWave(path, track_.Format()).samples);
  }
  return samples;
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
