#include "platform/audio/recording_sound_player.hpp"

#include <limits>

#include "platform/audio/sound_event.hpp"
#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

bool RecordingSoundPlayer::PlaySound(const std::string& path, uint32_t flags) {
  const int64_t now = clock_.NowMs();
  const bool loop = (flags & kSndLoop) != 0;
  auto record = [&](const char* op, bool result) {
    WriteSoundEvent(log_, path, loop && !path.empty(), result, op);
  };
  if (path.empty()) {
    playing_until_ = 0;
    record("stop", true);
    return true;
  }
  if ((flags & kSndNoStop) && now < playing_until_) {
    record("play", false);
    return false;
  }
  const SoundFormat format;
  const LoadedWave wave = LoadWave(path, format, budget_);
  refusals_.Note(log_.RelativePath(path), wave);
  // A new request silences the sound before it, whether or not its own file plays.
  playing_until_ = !wave.Playable() ? 0
                   : loop           ? std::numeric_limits<int64_t>::max()
                                    : now + wave.DurationMs(format);
  record("play", wave.Playable());
  return wave.Playable();
}

}  // namespace velmorant::platform
