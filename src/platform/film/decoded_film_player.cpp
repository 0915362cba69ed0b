#include "platform/film/decoded_film_player.hpp"

#include <algorithm>
#include <limits>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {

DecodedFilmPlayer::DecodedFilmPlayer(EventLog& log, EventLoop& loop, Window& display,
                                     std::unique_ptr<FrameSource> source)
    : log_(log), loop_(loop), display_(display), source_(std::move(source)), timer_(loop) {}

DecodedFilmPlayer::~DecodedFilmPlayer() = default;

void DecodedFilmPlayer::Record(const char* op) {
  log_.Write("film", {{"op", op},
                      {"file", log_.RelativePath(file_name_)},
                      {"rect", {rect_.left, rect_.top, rect_.right, rect_.bottom}}});
}

bool DecodedFilmPlayer::Open() {
  timer_.Disarm();
  source_->Close();
  shown_ = -1;
  position_ = 0;
  const bool ok = !file_name_.empty() && source_->Open(file_name_);
  mode_ = ok ? FilmMode::kStopped : FilmMode::kNotReady;
  if (ok) ApplyPictureSize();
  Record("open");
  return ok;
}

Rect DecodedFilmPlayer::PictureRect() const {
  // A rectangle without a size asks for the film's own size.
  if (rect_.Width() == 0 && rect_.Height() == 0) {
    const Size native = source_->NativeSize();
    return {rect_.left, rect_.top, rect_.left + native.width, rect_.top + native.height};
  }
  return rect_;
}

void DecodedFilmPlayer::SetDisplayRect(const Rect& rect) {
  rect_ = rect;
  ApplyPictureSize();
}

void DecodedFilmPlayer::ApplyPictureSize() {
  const Rect r = PictureRect();
  if (r.IsEmpty()) {
    source_->SetPictureSize({});
    return;
  }
  // Pictures are converted at the size they are shown in, unless that size is absurd: then they
  // come at the film's own size and are stretched onto the window, which only touches what shows.
  const bool convertible = r.Width() <= kMaxConvertedSide && r.Height() <= kMaxConvertedSide;
  source_->SetPictureSize(convertible ? Size{int32_t(r.Width()), int32_t(r.Height())}
                                      : source_->NativeSize());
}

int64_t DecodedFilmPlayer::PositionMs() const {
  if (mode_ != FilmMode::kPlaying) return position_;
  return std::clamp<int64_t>(loop_.NowMs() - started_at_, 0, source_->DurationMs());
}

void DecodedFilmPlayer::Play(int64_t from_ms) {
  if (mode_ == FilmMode::kNotReady) return;
  position_ = std::clamp<int64_t>(from_ms, 0, source_->DurationMs());
  started_at_ = loop_.NowMs() - position_;
  shown_ = -1;
  source_->Start(position_);
  mode_ = FilmMode::kPlaying;
  Record("play");
  DrawDue(position_);
  ArmNext(position_);
}

void DecodedFilmPlayer::Pause() {
  if (mode_ != FilmMode::kPlaying) return;
  position_ = PositionMs();
  timer_.Disarm();
  source_->Pause();
  mode_ = FilmMode::kPaused;
  Record("pause");
}

void DecodedFilmPlayer::Resume() {
  if (mode_ != FilmMode::kPaused) return;
  started_at_ = loop_.NowMs() - position_;
  source_->Resume();
  mode_ = FilmMode::kPlaying;
  Record("resume");
  ArmNext(position_);
}

void DecodedFilmPlayer::Stop() {
  if (mode_ == FilmMode::kNotReady) return;
  if (mode_ == FilmMode::kPlaying) {
    position_ = PositionMs();
    source_->Pause();
  }
  timer_.Disarm();
  mode_ = FilmMode::kStopped;
  Record("stop");
}

void DecodedFilmPlayer::Close() {
  if (mode_ == FilmMode::kNotReady) return;
  timer_.Disarm();
  source_->Close();
  shown_ = -1;
  mode_ = FilmMode::kNotReady;
  Record("close");
}

void DecodedFilmPlayer::Tick() {
  if (mode_ != FilmMode::kPlaying) return;
  const int64_t position = loop_.NowMs() - started_at_;
  if (position < source_->DurationMs()) {
    DrawDue(position);
    ArmNext(position);
    return;
  }
  // The play ran to its end: the last picture stays, and the owner hears of it.
  DrawDue(source_->DurationMs());
  timer_.Disarm();
  source_->Pause();
  position_ = source_->DurationMs();
  mode_ = FilmMode::kStopped;
  Record("end");
  RunNotify();
}

std::optional<int64_t> DecodedFilmPlayer::DrawDuePictures() {
  if (mode_ != FilmMode::kPlaying) return std::nullopt;
  const int64_t end = source_->DurationMs();
  const int64_t position = std::clamp<int64_t>(loop_.NowMs() - started_at_, 0, end);
  DrawDue(position);
  // The end itself is the timer's to announce, once messages are handled again.
  if (position >= end) return std::nullopt;
  return started_at_ + std::min(source_->NextPictureAfter(position), end);
}

void DecodedFilmPlayer::DrawDue(int64_t position) {
  const FilmPicture* due = source_->PictureAt(position);
  if (!due || due->start_ms == shown_ || due->picture.IsEmpty()) return;
  shown_ = due->start_ms;
  const Rect r = PictureRect();
  Canvas canvas(display_.Surface());
  if (due->picture.GetSize() == Size{int32_t(r.Width()), int32_t(r.Height())}) {
    canvas.Draw(r.left, r.top, due->picture);
  } else {
    canvas.CopyRect(r, due->picture, due->picture.Bounds());
  }
  display_.Present();
}

void DecodedFilmPlayer::ArmNext(int64_t position) {
  const int64_t end = source_->DurationMs();
  const int64_t next = std::min(source_->NextPictureAfter(position), end);
  const int64_t wait = std::clamp<int64_t>(next - position, 1, std::numeric_limits<int32_t>::max());
  timer_.Arm(int32_t(wait), [this] { Tick(); });
}

}  // namespace velmorant::platform
