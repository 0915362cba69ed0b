#pragma once

namespace velmorant::platform {

// The mixer's output: 16-bit signed samples, interleaved, at this rate and channel count.
struct SoundFormat {
  int rate = 44100;
  int channels = 2;
};

}  // namespace velmorant::platform
