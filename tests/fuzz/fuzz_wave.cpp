// Wave files of arbitrary bytes: never a crash, a hang or an over-read; a sound that plays is whole
// frames of the mixer's format within the sound bound and charged to the budget, and one that does
// not says why.

#include <cstddef>
#include <cstdint>

#include "fuzz/support/scratch_file.hpp"
#include "platform/audio/wave_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmorant::platform;
  static const velmorant::fuzzing::ScratchFile scratch(".wav");
  const std::string path = scratch.Holding(data, size);
  if (path.empty()) return 0;
  const SoundFormat format{44100, 2};
  // A small budget, as the player's own would be when nearly full: a header claiming minutes of
  // sound is refused before decoding, so each input stays quick.
  MemoryBudget budget(uint64_t{8} << 20);
  const LoadedWave wave = LoadWave(path, format, &budget);
  if (wave.Playable() != wave.refusal.empty()) __builtin_trap();
  if (!wave.Playable()) return 0;
  if (wave.samples.size() % size_t(format.channels) != 0) __builtin_trap();
  if (wave.samples.size() * sizeof(int16_t) > kMaxSoundBytes) __builtin_trap();
  if (wave.DurationMs(format) < 0) __builtin_trap();
  if (wave.charge.Bytes() < wave.samples.size() * sizeof(int16_t)) __builtin_trap();
  return 0;
}
