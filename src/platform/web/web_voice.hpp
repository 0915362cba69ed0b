#pragma once

#include <optional>

#include "platform/audio/shared_samples.hpp"
#include "platform/loop/clock.hpp"
#include "platform/memory_budget.hpp"
#include "platform/web/web_audio.hpp"

namespace velmorant::platform {

// One sound of the page at a time on the output. Asked for before the page may sound, it waits
// on the clock as if it played, and starts when the page may, where it would have been by then
// (a loop wrapped round); one that would have ended meanwhile never starts.
class WebVoice {
 public:
  // What became of a sound that waited, once the page may sound.
  struct Late {
    bool started = false;
    int64_t into_ms = 0;  // where it started, when it did
  };

  // What the output's copy of `count` samples takes: it holds them as 32-bit floating point.
  static constexpr uint64_t OutputBytes(size_t count) { return uint64_t(count) * 4; }

  WebVoice(WebAudio& audio, const Clock& clock, SoundFormat format, MemoryBudget* budget)
      : audio_(audio), clock_(clock), format_(format), budget_(budget) {}
  WebVoice(const WebVoice&) = delete;
  WebVoice& operator=(const WebVoice&) = delete;
  ~WebVoice() { Stop(); }

  // Plays `samples` from `offset_ms` on, instead of what played. False when there is nothing to
  // play or the output's copy does not fit the budget.
  bool Play(SharedSamples samples, int64_t offset_ms, bool loop);
  void Stop();
  void Pause();
  void Resume();
  // Sounding, paused, or waiting to sound and not past its end.
  bool Playing() const;
  // Where the output is in the samples; nothing unless it sounds there now.
  std::optional<int64_t> SoundingAtMs() const;
  // Starts a sound that waited, once the page may sound; what became of it then.
  std::optional<Late> Update();

 private:
  int64_t DurationMs() const;
  int64_t WaitedPositionMs() const;
  void StartOnOutput(int64_t offset_ms);

  WebAudio& audio_;
  const Clock& clock_;
  SoundFormat format_;
  MemoryBudget* budget_;
  SharedSamples samples_;      // until the output has its copy
  MemoryBudget::Charge copy_;  // what the output's copy takes
  int voice_ = 0;              // on the output, once started
  bool waiting_ = false;       // for the page to sound
  bool paused_ = false;
  bool loop_ = false;
  int64_t offset_ms_ = 0;  // while waiting: where it is at `since_ms_`
  int64_t since_ms_ = 0;
};

}  // namespace velmorant::platform
