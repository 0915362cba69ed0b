#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform {

// How a wave file gets to the mixer: the system loader's own formats (PCM of 8 to 32 bits, 32-bit
// float, A-law, mu-law, MS and IMA ADPCM), FFmpeg for what that loader refuses (64-bit float,
// GSM 6.10, MP3 in a wave file, odd sample sizes and headers), or not at all.
enum class WaveRoute { kRefused, kLoader, kDecoder };

// A wave file's samples in the mixer's format (16-bit, interleaved).
struct LoadedWave {
  WaveRoute route = WaveRoute::kRefused;
  std::vector<int16_t> samples;
  bool Playable() const { return route != WaveRoute::kRefused; }
  int64_t DurationMs(const SoundFormat& format) const;
};

// Reads the wave file at `path` the way the player plays it. The same decision serves the
// headless log, so that its result says what a desktop would play.
LoadedWave LoadWave(const std::string& path, const SoundFormat& format);

}  // namespace velmorant::platform
