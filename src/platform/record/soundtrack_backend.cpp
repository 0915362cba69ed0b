#include "platform/record/soundtrack_backend.hpp"

#include "platform/film/decoded_film_player.hpp"
#include "platform/film/frame_sources.hpp"
#include "platform/record/soundtrack_frame_source.hpp"

namespace velmorant::platform {

SoundtrackBackend::SoundtrackBackend(std::unique_ptr<HeadlessBackend> run)
    : ForwardingBackend(*run),
      run_(std::move(run)),
      track_(SoundFormat{}),
      sounds_(run_->Sounds(), track_, run_->GetClock(), &run_->Memory()) {
  // Every change up to the step's end is on the track once the clock moves, so what lies before
  // it is mixed then and the clips that ended let go of their samples.
  run_->Virtual().SetStepHook(
      [this](int64_t /*from*/, int64_t to) { track_.MixUntil(to, mixed_); });
}

SoundtrackBackend::~SoundtrackBackend() {
  run_->Virtual().SetStepHook(nullptr);
}

std::unique_ptr<FilmPlayer> SoundtrackBackend::CreateFilmPlayer(Window& display) {
  auto source = std::make_unique<SoundtrackFrameSource>(
      MakeSyncFrameSource(), track_, run_->GetClock(), next_film_voice_++, &run_->Memory());
  return std::make_unique<DecodedFilmPlayer>(run_->Log(), run_->Loop(), display, std::move(source));
}

const std::vector<int16_t>& SoundtrackBackend::Finish() {
  track_.MixUntil(run_->GetClock().NowMs(), mixed_);
  return mixed_;
}

}  // namespace velmorant::platform
