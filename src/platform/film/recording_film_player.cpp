#include "platform/film/recording_film_player.hpp"

#include <filesystem>

namespace velmorant::platform {

void RecordingFilmPlayer::Record(const char* op) {
  log_.Write("film", {{"op", op},
                      {"file", log_.RelativePath(file_name_)},
                      {"rect", {rect_.left, rect_.top, rect_.right, rect_.bottom}}});
}

bool RecordingFilmPlayer::Open() {
  std::error_code ec;
  const bool ok = !file_name_.empty() && std::filesystem::is_regular_file(file_name_, ec);
  mode_ = ok ? FilmMode::kStopped : FilmMode::kNotReady;
  Record("open");
  return ok;
}

void RecordingFilmPlayer::Play(int64_t /*from_ms*/) {
  if (mode_ == FilmMode::kNotReady) return;
  mode_ = FilmMode::kPlaying;
  Record("play");
}

void RecordingFilmPlayer::Pause() {
  if (mode_ != FilmMode::kPlaying) return;
  mode_ = FilmMode::kPaused;
  Record("pause");
}

void RecordingFilmPlayer::Resume() {
  if (mode_ != FilmMode::kPaused) return;
  mode_ = FilmMode::kPlaying;
  Record("resume");
}

void RecordingFilmPlayer::Stop() {
  if (mode_ == FilmMode::kNotReady) return;
  mode_ = FilmMode::kStopped;
  Record("stop");
}

void RecordingFilmPlayer::Close() {
  if (mode_ == FilmMode::kNotReady) return;
  mode_ = FilmMode::kNotReady;
  Record("close");
}

}  // namespace velmorant::platform
