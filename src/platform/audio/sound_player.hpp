#pragma once

#include <cstdint>
#include <string>

namespace velmorant::platform {

// Flags of the wave-sound service, with the values presentations were made with.
inline constexpr uint32_t kSndAsync = 0x0001;
inline constexpr uint32_t kSndLoop = 0x0008;
inline constexpr uint32_t kSndNoStop = 0x0010;
inline constexpr uint32_t kSndFilename = 0x00020000;

// Wave sounds as the system's one-sound-at-a-time service plays them: asynchronously, once or in
// a loop; a new sound replaces the one that plays unless kSndNoStop asks otherwise.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the wave file at `path`; an empty path silences whatever plays. False when the file
  // cannot be played, or with kSndNoStop when another sound is playing.
  virtual bool PlaySound(const std::string& path, uint32_t flags) = 0;
};

}  // namespace velmorant::platform
