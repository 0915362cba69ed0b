#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/sound_format.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant::platform {

// The most one sound may take once converted to the mixer's format: about 25 minutes of 44.1 kHz
// stereo. Conversion multiplies a file of a low rate many times over (8-bit mono at 100 Hz by
// 1764), so the bound is on what the file would become, judged before it is decoded.
inline constexpr uint64_t kMaxSoundBytes = uint64_t{256} << 20;

// A wave file's samples in the mixer's format (16-bit, interleaved), or why it does not play.
struct LoadedWave {
  bool playable = false;
  std::vector<int16_t> samples;
  std::string refusal;  // in words for a warning; empty when it plays
  // Refused for its size alone (past the bound of a sound, or the budget): worth a warning, where
  // a missing or broken file is not.
  bool too_large = false;
  MemoryBudget::Charge charge;  // what the samples take of the budget, when one was given
  bool Playable() const { return playable; }
  int64_t DurationMs(const SoundFormat& format) const {
    const int64_t frames = int64_t(samples.size()) / std::max(format.channels, 1);
    return frames * 1000 / std::max(format.rate, 1);
  }
};

// Reads the wave file at `path` (RIFF, RIFX or RF64; every codec FFmpeg decodes in them) the way
// the player plays it, on every backend, so that the same file gives the same samples everywhere.
// The same decision serves the headless log, so that its result says what a desktop would play.
// With a budget, the samples are charged to it before they are decoded.
LoadedWave LoadWave(const std::string& path, const SoundFormat& format,
                    MemoryBudget* budget = nullptr);

}  // namespace velmorant::platform
