#include "platform/record/soundtrack_frame_source.hpp"

#include <algorithm>
#include <variant>
#include <vector>

#include "platform/audio/wave_file.hpp"
#include "platform/film/film_decoder.hpp"

namespace velmorant::platform {

namespace {
constexpr int64_t kSoundPastPicturesMs = 10'000;
}  // namespace

SoundtrackFrameSource::SoundtrackFrameSource(std::unique_ptr<FrameSource> pictures,
                                             SoundTrack& track, const Clock& clock, int voice)
    : pictures_(std::move(pictures)), track_(track), clock_(clock), voice_(voice) {}

SoundtrackFrameSource::~SoundtrackFrameSource() {
  track_.Stop(voice_, clock_.NowMs());
}

bool SoundtrackFrameSource::Open(const std::string& path) {
  Close();
  path_ = path;
  return pictures_->Open(path);
}

void SoundtrackFrameSource::Close() {
  track_.Stop(voice_, clock_.NowMs());
  pictures_->Close();
  path_.clear();
  sound_.reset();
  playing_ = false;
}

SoundTrack::Samples SoundtrackFrameSource::Sound() {
  if (sound_ || path_.empty()) return sound_;
  std::vector<int16_t> samples;
  const SoundFormat& format = track_.Format();
  const auto channels = size_t(format.channels);
  if (auto decoder = FilmDecoder::Open(path_, format); decoder && decoder->HasSound()) {
    decoder->SetPictureSize({});
    while (auto item = decoder->Next()) {
      auto* block = std::get_if<FilmSamples>(&*item);
      // Sound far past the pictures' end is a broken timestamp, not a longer film.
      if (!block || block->start_ms > decoder->DurationMs() + kSoundPastPicturesMs) continue;
      // Each block goes where its time says: gaps stay silent, overlaps are overwritten.
      const auto at = size_t(std::max<int64_t>(block->start_ms, 0) * format.rate / 1000) * channels;
      // The track keeps what fits a sound's bound, as a wave sound would be kept.
      const size_t most = kMaxSoundBytes / sizeof(int16_t);
      const size_t end = at + block->samples.size();
      if (end > most) continue;
      if (samples.capacity() < end)
        samples.reserve(std::min(most, std::max(end, 2 * samples.capacity())));
      if (samples.size() < end) samples.resize(end);
      std::copy(block->samples.begin(), block->samples.end(), samples.begin() + ptrdiff_t(at));
    }
  }
  sound_ = std::make_shared<const std::vector<int16_t>>(std::move(samples));
  return sound_;
}

void SoundtrackFrameSource::Sound(int64_t from_ms) {
  position_ = from_ms;
  started_at_ = clock_.NowMs() - from_ms;
  playing_ = true;
  track_.Start(voice_, clock_.NowMs(), Sound(), from_ms, false);
}

void SoundtrackFrameSource::Start(int64_t ms) {
  pictures_->Start(ms);
  Sound(ms);
}

void SoundtrackFrameSource::Pause() {
  pictures_->Pause();
  if (!playing_) return;
  playing_ = false;
  position_ = clock_.NowMs() - started_at_;
  track_.Stop(voice_, clock_.NowMs());
}

void SoundtrackFrameSource::Resume() {
  pictures_->Resume();
  Sound(position_);
}

}  // namespace velmorant::platform
