#include "platform/web/browser_audio.hpp"

extern "C" {
// velmorant-audio-library.js
int velmorant_audio_running();
int velmorant_audio_play(const int16_t* samples, int count, int rate, int channels,
                         double offset_ms, int loop);
void velmorant_audio_pause(int voice);
void velmorant_audio_resume(int voice);
void velmorant_audio_stop(int voice);
double velmorant_audio_position(int voice);
}

namespace velmorant::platform {

bool BrowserAudio::Running() const {
  return velmorant_audio_running() != 0;
}

int BrowserAudio::Play(std::span<const int16_t> samples, SoundFormat format, int64_t offset_ms,
                       bool loop) {
  if (samples.size() > size_t(INT32_MAX)) return 0;
  return velmorant_audio_play(samples.data(), int(samples.size()), format.rate, format.channels,
                              double(offset_ms), loop ? 1 : 0);
}

void BrowserAudio::Pause(int voice) {
  velmorant_audio_pause(voice);
}

void BrowserAudio::Resume(int voice) {
  velmorant_audio_resume(voice);
}

void BrowserAudio::Stop(int voice) {
  velmorant_audio_stop(voice);
}

std::optional<int64_t> BrowserAudio::PositionMs(int voice) const {
  const double at = velmorant_audio_position(voice);
  if (at < 0) return std::nullopt;
  return int64_t(at);
}

}  // namespace velmorant::platform
