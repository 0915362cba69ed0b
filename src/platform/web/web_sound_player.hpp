#pragma once

#include "platform/audio/sound_player.hpp"
#include "platform/audio/sound_refusals.hpp"
#include "platform/loop/clock.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/web/web_voice.hpp"

namespace velmorant::platform {

// Wave sounds through the page's output, one at a time, as the desktop's mixer plays them: a new
// sound replaces the one that plays, the no-stop flag refuses while one plays, a loop repeats
// until the next request, and requests are logged as there. A sound asked for before the page may
// sound starts at its first click or key, where it would have been by then.
class WebSoundPlayer final : public SoundPlayer {
 public:
  WebSoundPlayer(WebAudio& audio, EventLog& log, const Clock& clock, MemoryBudget* budget);
  bool PlaySound(const std::string& path, uint32_t flags) override;
  // Starts a sound that waited for the page, if it may sound now.
  void Update();
  bool Playing() const { return voice_.Playing(); }

 private:
  void Record(const std::string& path, bool loop, bool result, const char* op);

  EventLog& log_;
  MemoryBudget* budget_;
  SoundFormat format_;
  SoundRefusals refusals_;
  WebVoice voice_;
  std::string waiting_file_;  // the sound that waits for the page, for its warning
};

// The warning of a sound or a film's sound that waited for the page's first click or key.
void WarnLateStart(const std::string& shown_name, const WebVoice::Late& late);

}  // namespace velmorant::platform
