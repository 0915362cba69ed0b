#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/audio/mixer.hpp"
#include "platform/film/film_decoder.hpp"
#include "platform/film/frame_source.hpp"

namespace velmorant::platform {

// The desktop's film source: a worker thread decodes ahead of the picture clock into a short
// queue of pictures and a buffer of sound; the sound goes to the mixer's stream hook and follows
// the picture clock, skipping or waiting when the two drift more than a frame apart.
class ThreadedFrameSource final : public FrameSource, public SoundStream {
 public:
  // Without a mixer films play silent.
  explicit ThreadedFrameSource(Mixer* mixer) : mixer_(mixer) {}
  ~ThreadedFrameSource() override;

  bool Open(const std::string& path) override;
  void Close() override;
  int64_t DurationMs() const override { return duration_ms_; }
  Size NativeSize() const override { return native_; }
  void SetPictureSize(Size size) override { size_ = size; }
  void Start(int64_t ms) override;
  void Pause() override;
  void Resume() override;
  const FilmPicture* PictureAt(int64_t ms) override;
  int64_t NextPictureAfter(int64_t ms) override;

  // SoundStream, on the audio thread.
  void Fill(int16_t* out, size_t count) override;

 private:
  void StopWorker();
  void Work();
  bool QueuesFull() const;
  int64_t ClockMs() const;
  static int64_t SteadyUs();

  Mixer* mixer_;
  std::unique_ptr<FilmDecoder> decoder_;
  int64_t duration_ms_ = 0;
  Size native_;
  Size size_;
  std::optional<FilmPicture> current_;

  std::thread worker_;
  std::mutex mutex_;
  std::condition_variable room_;
  std::deque<FilmPicture> pictures_;
  std::deque<FilmSamples> sound_;
  size_t sound_offset_ = 0;  // samples of the first block already played
  size_t sound_buffered_ = 0;
  bool finished_ = false;
  bool stop_ = false;

  std::atomic<int64_t> anchor_us_{0};  // steady time at which the film was at 0
  std::atomic<bool> playing_{false};
  int64_t paused_at_ms_ = 0;
};

}  // namespace velmorant::platform
