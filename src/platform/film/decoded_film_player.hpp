#pragma once

#include <memory>

#include "platform/film/film_player.hpp"
#include "platform/film/frame_source.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// The film player of a window: open, display rectangle, play from a position, pause, resume,
// stop, close, with the pictures of its source drawn onto the window's surface inside the display
// rectangle at their times on the loop's clock (virtual when headless, so that a snapshot shows
// the picture due at that moment). Only a play that runs to its end notifies, from a timer tick
// on the loop's thread. Every request is written to the event log as a "film" event.
class DecodedFilmPlayer final : public FilmPlayer {
 public:
  DecodedFilmPlayer(EventLog& log, EventLoop& loop, Window& display,
                    std::unique_ptr<FrameSource> source);
  ~DecodedFilmPlayer() override;

  void SetFileName(const std::string& path) override { file_name_ = path; }
  bool Open() override;
  void SetDisplayRect(const Rect& rect) override;
  void Play(int64_t from_ms) override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void Close() override;
  FilmMode Mode() const override { return mode_; }
  std::optional<int64_t> DrawDuePictures() override;

  // Where the film is now, in ms from its start.
  int64_t PositionMs() const;

 private:
  static constexpr int64_t kMaxConvertedSide = 4096;

  void Record(const char* op);
  void Tick();
  void DrawDue(int64_t position);
  void ArmNext(int64_t position);
  Rect PictureRect() const;
  void ApplyPictureSize();

  EventLog& log_;
  EventLoop& loop_;
  Window& display_;
  std::unique_ptr<FrameSource> source_;
  Timer timer_;
  Rect rect_;
  FilmMode mode_ = FilmMode::kNotReady;
  int64_t started_at_ = 0;  // loop time at which position 0 was (or would have been) shown
  int64_t position_ = 0;    // while not playing
  int64_t shown_ = -1;      // the start of the picture on the window; -1 none
};

}  // namespace velmorant::platform
