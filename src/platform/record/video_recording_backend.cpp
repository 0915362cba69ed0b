#include "platform/record/video_recording_backend.hpp"

#include "platform/film/decoded_film_player.hpp"
#include "platform/film/frame_sources.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/record/soundtrack_frame_source.hpp"

namespace velmorant::platform {

VideoRecordingBackend::VideoRecordingBackend(std::unique_ptr<HeadlessBackend> run,
                                             std::unique_ptr<VideoFile> file, int fps)
    : ForwardingBackend(*run),
      run_(std::move(run)),
      file_(std::move(file)),
      fps_(fps),
      track_(SoundFormat{}),
      sounds_(run_->Sounds(), track_, run_->GetClock(), &run_->Memory()) {
  screen_ = Bitmap(file_->PictureSize().width, file_->PictureSize().height);
  run_->Virtual().SetStepHook([this](int64_t /*from*/, int64_t to) { RecordUntil(to * fps_); });
}

VideoRecordingBackend::~VideoRecordingBackend() {
  run_->Virtual().SetStepHook(nullptr);
}

std::unique_ptr<FilmPlayer> VideoRecordingBackend::CreateFilmPlayer(Window& display) {
  auto source = std::make_unique<SoundtrackFrameSource>(
      MakeSyncFrameSource(), track_, run_->GetClock(), next_film_voice_++, &run_->Memory());
  return std::make_unique<DecodedFilmPlayer>(run_->Log(), run_->Loop(), display, std::move(source));
}

void VideoRecordingBackend::ComposeScreen() {
  screen_.Fill(0);
  Canvas canvas(screen_);
  for (const Window* w : run_->ShownWindows()) {
    w->CompositeInto(window_picture_);
    canvas.Draw(w->Bounds().left, w->Bounds().top, window_picture_);
  }
}

void VideoRecordingBackend::RecordUntil(int64_t until_scaled) {
  if (finished_ || next_frame_ * 1000 >= until_scaled) return;
  ComposeScreen();
  // The first frame at or after `until`: those before it all show the screen of now.
  const int64_t end = (until_scaled + 999) / 1000;
  file_->AddPicture(screen_, end - next_frame_);
  next_frame_ = end;
  // The track has had every change up to now, so it can be mixed as far as the frames go.
  sound_.clear();
  track_.MixUntil(next_frame_ * 1000 / fps_, sound_);
  file_->AddSound(sound_);
}

bool VideoRecordingBackend::Finish(std::string* error) {
  // The moment the run ended is on the last frame.
  RecordUntil(run_->GetClock().NowMs() * fps_ + 1);
  finished_ = true;
  return file_->Finish(error);
}

}  // namespace velmorant::platform
