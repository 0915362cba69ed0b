#include "platform/web/web_voice.hpp"

#include <algorithm>

namespace velmorant::platform {

int64_t WebVoice::DurationMs() const {
  if (!samples_) return 0;
  const int64_t frames = int64_t(samples_->size()) / std::max(format_.channels, 1);
  return frames * 1000 / std::max(format_.rate, 1);
}

int64_t WebVoice::WaitedPositionMs() const {
  return paused_ ? offset_ms_ : offset_ms_ + (clock_.NowMs() - since_ms_);
}

bool WebVoice::Play(SharedSamples samples, int64_t offset_ms, bool loop) {
  Stop();
  const auto channels = size_t(std::max(format_.channels, 1));
  if (!samples || samples->size() < channels) return false;
  if (budget_) {
    auto charge = budget_->Reserve(OutputBytes(samples->size()));
    if (!charge) return false;
    copy_ = std::move(*charge);
  }
  samples_ = std::move(samples);
  loop_ = loop;
  offset_ms_ = std::max<int64_t>(offset_ms, 0);
  if (loop && DurationMs() > 0) offset_ms_ %= DurationMs();
  since_ms_ = clock_.NowMs();
  waiting_ = true;
  if (audio_.Running()) {
    StartOnOutput(offset_ms_);
    return voice_ != 0;
  }
  return true;
}

void WebVoice::StartOnOutput(int64_t offset_ms) {
  waiting_ = false;
  voice_ = audio_.Play(*samples_, format_, offset_ms, loop_);
  if (paused_ && voice_) audio_.Pause(voice_);
  // The output has its own copy now.
  samples_.reset();
  if (!voice_) copy_.Release();
}

void WebVoice::Stop() {
  if (voice_) audio_.Stop(voice_);
  voice_ = 0;
  waiting_ = false;
  paused_ = false;
  samples_.reset();
  copy_.Release();
}

void WebVoice::Pause() {
  if (paused_ || !Playing()) return;
  if (waiting_) offset_ms_ = WaitedPositionMs();
  if (voice_) audio_.Pause(voice_);
  paused_ = true;
}

void WebVoice::Resume() {
  if (!paused_) return;
  paused_ = false;
  since_ms_ = clock_.NowMs();
  if (voice_) audio_.Resume(voice_);
}

bool WebVoice::Playing() const {
  if (waiting_) return loop_ || WaitedPositionMs() < DurationMs();
  return voice_ && audio_.PositionMs(voice_).has_value();
}

std::optional<int64_t> WebVoice::SoundingAtMs() const {
  if (!voice_ || paused_) return std::nullopt;
  return audio_.PositionMs(voice_);
}

std::optional<WebVoice::Late> WebVoice::Update() {
  if (voice_ && !audio_.PositionMs(voice_)) Stop();  // ended: its copy can go
  if (!waiting_ || paused_ || !audio_.Running()) return std::nullopt;
  int64_t at = WaitedPositionMs();
  const int64_t duration = DurationMs();
  if (loop_ && duration > 0) at %= duration;
  if (!loop_ && at >= duration) {
    Stop();
    return Late{false, 0};
  }
  StartOnOutput(at);
  return Late{voice_ != 0, at};
}

}  // namespace velmorant::platform
