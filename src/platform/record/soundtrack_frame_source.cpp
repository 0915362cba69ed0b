#include "platform/record/soundtrack_frame_source.hpp"

#include "platform/film/film_sound.hpp"

namespace velmorant::platform {

SoundtrackFrameSource::SoundtrackFrameSource(std::unique_ptr<FrameSource> pictures,
                                             SoundTrack& track, const Clock& clock, int voice,
                                             MemoryBudget* budget)
    : ForwardingFrameSource(std::move(pictures)),
      track_(track),
      clock_(clock),
      voice_(voice),
      budget_(budget) {}

SoundtrackFrameSource::~SoundtrackFrameSource() {
  track_.Stop(voice_, clock_.NowMs());
}

bool SoundtrackFrameSource::Open(const std::string& path) {
  Close();
  path_ = path;
  return ForwardingFrameSource::Open(path);
}

void SoundtrackFrameSource::Close() {
  track_.Stop(voice_, clock_.NowMs());
  ForwardingFrameSource::Close();
  path_.clear();
  sound_.reset();
  playing_ = false;
}

SoundTrack::Samples SoundtrackFrameSource::Sound() {
  if (!sound_ && !path_.empty()) sound_ = DecodeFilmSound(path_, track_.Format(), budget_);
  return sound_;
}

void SoundtrackFrameSource::Sound(int64_t from_ms) {
  position_ = from_ms;
  started_at_ = clock_.NowMs() - from_ms;
  playing_ = true;
  track_.Start(voice_, clock_.NowMs(), Sound(), from_ms, false);
}

void SoundtrackFrameSource::Start(int64_t ms) {
  ForwardingFrameSource::Start(ms);
  Sound(ms);
}

void SoundtrackFrameSource::Pause() {
  ForwardingFrameSource::Pause();
  if (!playing_) return;
  playing_ = false;
  position_ = clock_.NowMs() - started_at_;
  track_.Stop(voice_, clock_.NowMs());
}

void SoundtrackFrameSource::Resume() {
  ForwardingFrameSource::Resume();
  Sound(position_);
}

}  // namespace velmorant::platform
