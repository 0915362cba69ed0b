#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

// No sound decoder in this build: sounds are silent.
LoadedWave LoadWave(const std::string& /*path*/, const SoundFormat& /*format*/,
                    MemoryBudget* /*budget*/) {
  LoadedWave wave;
  wave.refusal = "this build plays no sound";
  return wave;
}

}  // namespace velmorant::platform
