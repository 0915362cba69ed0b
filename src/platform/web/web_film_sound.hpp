#pragma once

#include <memory>
#include <string>

#include "platform/film/forwarding_frame_source.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/web/web_voice.hpp"

namespace velmorant::platform {

// A film's pictures from another source and its sound through the page's output, started,
// paused, resumed and stopped with them. While the sound is heard the pictures follow its clock,
// so that the two stay together whatever the page's timers do.
class WebFilmSound final : public ForwardingFrameSource {
 public:
  WebFilmSound(std::unique_ptr<FrameSource> pictures, WebAudio& audio, EventLog& log,
               const Clock& clock, MemoryBudget* budget);

  bool Open(const std::string& path) override;
  void Close() override;
  void Start(int64_t ms) override;
  void Pause() override;
  void Resume() override;
  const FilmPicture* PictureAt(int64_t ms) override;

 private:
  EventLog& log_;
  MemoryBudget* budget_;
  SoundFormat format_;
  WebVoice voice_;
  std::string path_;
  SharedSamples sound_;  // decoded at the first play, for every play of the film
  bool warned_ = false;  // of a sound too large for the budget
  int64_t asked_ = 0;    // the latest time pictures were asked for since the start
};

}  // namespace velmorant::platform
