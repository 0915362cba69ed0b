#pragma once

#include "platform/film/film_player.hpp"
#include "platform/loop/event_log.hpp"

namespace velmorant::platform {

// Films without a screen: every request becomes a "film" event of the log. Nothing plays, so no
// play ever reaches its end.
class RecordingFilmPlayer final : public FilmPlayer {
 public:
  explicit RecordingFilmPlayer(EventLog& log) : log_(log) {}

  void SetFileName(const std::string& path) override { file_name_ = path; }
  bool Open() override;
  void SetDisplayRect(const Rect& rect) override { rect_ = rect; }
  void Play(int64_t from_ms) override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void Close() override;
  FilmMode Mode() const override { return mode_; }

 private:
  void Record(const char* op);

  EventLog& log_;
  Rect rect_;
  FilmMode mode_ = FilmMode::kNotReady;
};

}  // namespace velmorant::platform
