#pragma once

#include <map>
#include <vector>

#include "platform/web/web_audio.hpp"

namespace velmorant::testing {

// An output on a clock of its own that the test moves: it keeps the voices it was asked to play
// and where each is.
class FakeAudio final : public platform::WebAudio {
 public:
  struct Voice {
    std::vector<int16_t> samples;
    platform::SoundFormat format;
    bool loop = false;
    int64_t offset_ms = 0;  // where it was at `since_ms`
    int64_t since_ms = 0;
    bool paused = false;
  };

  bool Running() const override { return running; }
  int Play(std::span<const int16_t> samples, platform::SoundFormat format, int64_t offset_ms,
           bool loop) override {
    voices[next_] = {{samples.begin(), samples.end()}, format, loop, offset_ms, now, false};
    return next_++;
  }
  void Pause(int voice) override {
    if (auto at = PositionMs(voice)) {
      voices[voice].offset_ms = *at;
      voices[voice].paused = true;
    }
  }
  void Resume(int voice) override {
    if (auto v = voices.find(voice); v != voices.end() && v->second.paused) {
      v->second.paused = false;
      v->second.since_ms = now;
    }
  }
  void Stop(int voice) override { voices.erase(voice); }
  std::optional<int64_t> PositionMs(int voice) const override {
    const auto v = voices.find(voice);
    if (v == voices.end()) return std::nullopt;
    const Voice& it = v->second;
    const int64_t frames = int64_t(it.samples.size()) / it.format.channels;
    const int64_t length = frames * 1000 / it.format.rate;
    const int64_t at = it.paused ? it.offset_ms : it.offset_ms + now - it.since_ms;
    if (it.loop) return length > 0 ? at % length : 0;
    if (at >= length) return std::nullopt;
    return at;
  }
  // Voices that sound now.
  int Sounding() const {
    int n = 0;
    for (const auto& [id, v] : voices) n += !v.paused && PositionMs(id).has_value();
    return n;
  }

  bool running = true;
  int64_t now = 0;
  std::map<int, Voice> voices;

 private:
  int next_ = 1;
};

}  // namespace velmorant::testing
