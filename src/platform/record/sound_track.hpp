#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform {

// The sounds of a run placed on its clock and mixed into one track, as far as the run has gone.
// Each voice plays one sound at a time (the wave sounds are one voice, each film another), and
// the voices sound together.
class SoundTrack {
 public:
  // 16-bit interleaved samples in the track's format.
  using Samples = std::shared_ptr<const std::vector<int16_t>>;

  explicit SoundTrack(SoundFormat format) : format_(format) {}

  // From `at_ms` on, `voice` plays `samples` from `offset_ms` into them, once or over and over,
  // instead of what it played before.
  void Start(int voice, int64_t at_ms, Samples samples, int64_t offset_ms, bool loop);
  // From `at_ms` on, `voice` is silent.
  void Stop(int voice, int64_t at_ms);
  bool Playing(int voice, int64_t at_ms) const;

  // Appends the mix from where the last call ended up to `until_ms` to `out`.
  void MixUntil(int64_t until_ms, std::vector<int16_t>& out);
  const SoundFormat& Format() const { return format_; }

 private:
  static constexpr int64_t kNoEnd = INT64_MAX;

  struct Clip {
    int voice = 0;
    int64_t start = 0;  // frames on the track
    int64_t end = kNoEnd;
    Samples samples;
    int64_t offset = 0;  // frames into the samples at `start`
    bool loop = false;
  };

  int64_t FrameAt(int64_t ms) const;
  void MixClip(const Clip& clip, int64_t from, int64_t until, std::vector<int32_t>& sum) const;

  SoundFormat format_;
  std::vector<Clip> clips_;
  int64_t mixed_ = 0;  // frames mixed so far
};

}  // namespace velmorant::platform
