#include "platform/record/sound_track.hpp"

#include <algorithm>

namespace velmorant::platform {

int64_t SoundTrack::FrameAt(int64_t ms) const {
  // What has been mixed stays: a change cannot reach back before it.
  return std::max(ms, int64_t{0}) * format_.rate / 1000;
}

void SoundTrack::Start(int voice, int64_t at_ms, Samples samples, int64_t offset_ms, bool loop) {
  Stop(voice, at_ms);
  const auto channels = size_t(std::max(format_.channels, 1));
  if (!samples || samples->size() < channels) return;
  Clip clip;
  clip.voice = voice;
  clip.start = std::max(FrameAt(at_ms), mixed_);
  clip.offset = FrameAt(offset_ms);
  const auto frames = int64_t(samples->size() / channels);
  if (loop) {
    clip.offset %= frames;
  } else {
    if (clip.offset >= frames) return;
    clip.end = clip.start + frames - clip.offset;
  }
  clip.samples = std::move(samples);
  clip.loop = loop;
  clips_.push_back(std::move(clip));
}

void SoundTrack::Stop(int voice, int64_t at_ms) {
  const int64_t at = std::max(FrameAt(at_ms), mixed_);
  for (Clip& clip : clips_) {
    if (clip.voice == voice) clip.end = std::min(clip.end, at);
  }
  std::erase_if(clips_, [](const Clip& c) { return c.end <= c.start; });
}

bool SoundTrack::Playing(int voice, int64_t at_ms) const {
  const int64_t at = FrameAt(at_ms);
  return std::any_of(clips_.begin(), clips_.end(), [&](const Clip& c) {
    return c.voice == voice && c.start <= at && at < c.end;
  });
}

void SoundTrack::MixClip(const Clip& clip, int64_t from, int64_t until,
                         std::vector<int32_t>& sum) const {
  const auto channels = size_t(std::max(format_.channels, 1));
  const std::vector<int16_t>& samples = *clip.samples;
  const auto frames = int64_t(samples.size() / channels);
  const int64_t first = std::max(from, clip.start);
  const int64_t last = std::min(until, clip.end);
  for (int64_t f = first; f < last; ++f) {
    int64_t source = clip.offset + (f - clip.start);
    if (clip.loop) source %= frames;
    const size_t in = size_t(source) * channels;
    const size_t out = size_t(f - from) * channels;
    for (size_t c = 0; c < channels; ++c) sum[out + c] += samples[in + c];
  }
}

void SoundTrack::MixUntil(int64_t until_ms, std::vector<int16_t>& out) {
  const int64_t until = FrameAt(until_ms);
  if (until <= mixed_) return;
  const auto channels = size_t(std::max(format_.channels, 1));
  std::vector<int32_t> sum(size_t(until - mixed_) * channels, 0);
  for (const Clip& clip : clips_) MixClip(clip, mixed_, until, sum);
  out.reserve(out.size() + sum.size());
  for (int32_t s : sum) out.push_back(int16_t(std::clamp<int32_t>(s, INT16_MIN, INT16_MAX)));
  mixed_ = until;
  std::erase_if(clips_, [&](const Clip& c) { return c.end <= mixed_; });
}

}  // namespace velmorant::platform
