#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// The states a film player reports, as the media-control interface names them.
enum class FilmMode { kNotReady, kStopped, kPlaying, kPaused, kOpen };

// One film at a time in one window, with the behaviour of the system's media-control interface:
// a file name set before Open, a display rectangle in the window's client coordinates, play from a
// position, pause, resume, stop, close, and a notification when a play runs to its end.
class FilmPlayer {
 public:
  using Notify = std::function<void()>;

  virtual ~FilmPlayer() = default;

  virtual void SetFileName(const std::string& path) = 0;
  const std::string& FileName() const { return file_name_; }
  // Opens the file named last; false when it cannot be opened.
  virtual bool Open() = 0;
  virtual void SetDisplayRect(const Rect& rect) = 0;
  // Plays from `from_ms`; the notification runs once if this play reaches the end.
  virtual void Play(int64_t from_ms) = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  virtual void Stop() = 0;
  virtual void Close() = 0;
  virtual FilmMode Mode() const = 0;
  // Draws the pictures due by now and nothing else, for a pause in which no message is handled
  // (a transition's steps); the loop time at which the next one is due, or none while nothing
  // plays.
  virtual std::optional<int64_t> DrawDuePictures() { return std::nullopt; }

  void SetOnNotify(Notify notify) { on_notify_ = std::move(notify); }
  bool HasNotify() const { return bool(on_notify_); }

 protected:
  // Runs a copy of the handler: it may replace itself.
  void RunNotify() {
    Notify handler = on_notify_;
    if (handler) handler();
  }

  std::string file_name_;

 private:
  Notify on_notify_;
};

}  // namespace velmorant::platform
