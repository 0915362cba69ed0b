#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform {

// A stream the mixer plays under the wave sounds (a film's sound). Fill runs on the audio thread.
class SoundStream {
 public:
  virtual ~SoundStream() = default;
  // Writes `count` interleaved samples into `out`; silence where there is nothing to play.
  virtual void Fill(int16_t* out, size_t count) = 0;
};

// The audio device, opened once through the mixer, which owns it: wave sounds play on its first
// channel, a film's sound through its stream hook. Buffers of 512 frames keep a sound's start
// within a few milliseconds of its request.
class Mixer {
 public:
  static constexpr int kChunkFrames = 512;
  static constexpr int kWaveChannel = 0;

  // Null when there is no audio device; the player then plays in silence.
  static std::unique_ptr<Mixer> Open();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;
  ~Mixer();

  SoundFormat Format() const { return format_; }
  // Plays `stream` under the wave sounds until it is replaced; null silences it. Safe to call
  // while the device runs: the stream is swapped between two buffers.
  void SetStream(SoundStream* stream);
  // Silences `stream` if it is the one playing.
  void ReleaseStream(const SoundStream* stream) {
    if (stream_ == stream) SetStream(nullptr);
  }

 private:
  explicit Mixer(SoundFormat format) : format_(format) {}
  static void FillStream(void* stream, uint8_t* out, int bytes);

  SoundFormat format_;
  SoundStream* stream_ = nullptr;  // the hooked stream, as the GUI thread set it
};

}  // namespace velmorant::platform
