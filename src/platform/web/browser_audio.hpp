#pragma once

#include "platform/web/web_audio.hpp"

namespace velmorant::platform {

// The page's sound output, through the functions velmorant-audio-library.js gives the module.
class BrowserAudio final : public WebAudio {
 public:
  bool Running() const override;
  int Play(std::span<const int16_t> samples, SoundFormat format, int64_t offset_ms,
           bool loop) override;
  void Pause(int voice) override;
  void Resume(int voice) override;
  void Stop(int voice) override;
  std::optional<int64_t> PositionMs(int voice) const override;
};

}  // namespace velmorant::platform
