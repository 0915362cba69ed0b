#pragma once

#include <memory>
#include <string>

#include "platform/film/forwarding_frame_source.hpp"
#include "platform/loop/clock.hpp"
#include "platform/memory_budget.hpp"
#include "platform/record/sound_track.hpp"

namespace velmorant::platform {

// A film's pictures from another source, and its sound on a voice of the track: from where a
// play starts, halted by a pause, a stop or the end, and on again from there on a resume. The
// sound is charged to `budget` when one is given.
class SoundtrackFrameSource final : public ForwardingFrameSource {
 public:
  SoundtrackFrameSource(std::unique_ptr<FrameSource> pictures, SoundTrack& track,
                        const Clock& clock, int voice, MemoryBudget* budget = nullptr);
  ~SoundtrackFrameSource() override;

  bool Open(const std::string& path) override;
  void Close() override;
  void Start(int64_t ms) override;
  void Pause() override;
  void Resume() override;

 private:
  // The film's whole sound, decoded when it first plays.
  SoundTrack::Samples Sound();
  void Sound(int64_t from_ms);

  SoundTrack& track_;
  const Clock& clock_;
  int voice_;
  MemoryBudget* budget_;
  std::string path_;
  SoundTrack::Samples sound_;
  bool playing_ = false;
  int64_t position_ = 0;    // in the film, while halted
  int64_t started_at_ = 0;  // clock time of the film's start, while playing
};

}  // namespace velmorant::platform
