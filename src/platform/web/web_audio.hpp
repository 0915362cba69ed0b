#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform {

// What the web backend needs of the page's sound output: voices that play samples from an offset,
// once or looped, and can be paused and stopped. The browser's own is BrowserAudio; tests give a
// fake.
class WebAudio {
 public:
  virtual ~WebAudio() = default;
  // False until the page may sound (a browser waits for the user's first click or key); voices
  // started before then would not be heard.
  virtual bool Running() const = 0;
  // A voice playing `samples` (16-bit interleaved, in `format`) from `offset_ms` into them; 0 when
  // the output cannot take them. The samples are copied.
  virtual int Play(std::span<const int16_t> samples, SoundFormat format, int64_t offset_ms,
                   bool loop) = 0;
  virtual void Pause(int voice) = 0;
  virtual void Resume(int voice) = 0;
  // Silences the voice and lets its samples go.
  virtual void Stop(int voice) = 0;
  // Where the voice is in its samples on the output's clock; nothing once it has ended or stopped.
  virtual std::optional<int64_t> PositionMs(int voice) const = 0;
};

}  // namespace velmorant::platform
