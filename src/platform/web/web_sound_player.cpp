#include "platform/web/web_sound_player.hpp"

#include <cstdio>

#include "platform/audio/sound_event.hpp"
#include "platform/audio/wave_file.hpp"
#include "platform/text/warning_line.hpp"

namespace velmorant::platform {

WebSoundPlayer::WebSoundPlayer(WebAudio& audio, EventLog& log, const Clock& clock,
                               MemoryBudget* budget)
    : log_(log), budget_(budget), voice_(audio, clock, format_, budget) {}

void WebSoundPlayer::Record(const std::string& path, bool loop, bool result, const char* op) {
  WriteSoundEvent(log_, path, loop, result, op);
}

bool WebSoundPlayer::PlaySound(const std::string& path, uint32_t flags) {
  const bool loop = (flags & kSndLoop) != 0;
  if (path.empty()) {
    voice_.Stop();
    Record(path, false, true, "stop");
    return true;
  }
  if ((flags & kSndNoStop) && voice_.Playing()) {
    Record(path, loop, false, "play");
    return false;
  }
  // The sound before goes first, and its memory with it, before the next is judged.
  voice_.Stop();
  LoadedWave wave = LoadWave(path, format_, budget_);
  refusals_.Note(log_.RelativePath(path), wave);
  if (!wave.Playable() || wave.samples.empty()) {
    Record(path, loop, wave.Playable(), "play");
    return wave.Playable();
  }
  const size_t count = wave.samples.size();
  const bool ok =
      voice_.Play(ShareSamples(std::move(wave.samples), std::move(wave.charge)), 0, loop);
  if (!ok && budget_) {
    LoadedWave refused;
    refused.too_large = true;
    refused.refusal = "the page's copy " + budget_->Refusal(WebVoice::OutputBytes(count));
    refusals_.Note(log_.RelativePath(path), refused);
  }
  waiting_file_ = log_.RelativePath(path);
  Record(path, loop, ok, "play");
  return ok;
}

void WebSoundPlayer::Update() {
  if (const auto late = voice_.Update()) WarnLateStart(waiting_file_, *late);
}

void WarnLateStart(const std::string& shown_name, const WebVoice::Late& late) {
  const std::string why = late.started ? "started at the page's first click or key, " +
                                             std::to_string(late.into_ms) + " ms in"
                                       : "not heard: it ended before the page's first click or key";
  std::fputs(WarningLine(shown_name, why).c_str(), stderr);
}

}  // namespace velmorant::platform
