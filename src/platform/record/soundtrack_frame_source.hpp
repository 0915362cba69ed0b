#pragma once

#include <memory>
#include <string>

#include "platform/film/frame_source.hpp"
#include "platform/loop/clock.hpp"
#include "platform/record/sound_track.hpp"

namespace velmorant::platform {

// A film's pictures from another source, and its sound on a voice of the track: from where a
// play starts, halted by a pause, a stop or the end, and on again from there on a resume.
class SoundtrackFrameSource final : public FrameSource {
 public:
  SoundtrackFrameSource(std::unique_ptr<FrameSource> pictures, SoundTrack& track,
                        const Clock& clock, int voice);
  ~SoundtrackFrameSource() override;

  bool Open(const std::string& path) override;
  void Close() override;
  int64_t DurationMs() const override { return pictures_->DurationMs(); }
  Size NativeSize() const override { return pictures_->NativeSize(); }
  void SetPictureSize(Size size) override { pictures_->SetPictureSize(size); }
  void Start(int64_t ms) override;
  void Pause() override;
  void Resume() override;
  const FilmPicture* PictureAt(int64_t ms) override { return pictures_->PictureAt(ms); }
  int64_t NextPictureAfter(int64_t ms) override { return pictures_->NextPictureAfter(ms); }

 private:
  // The film's whole sound, decoded when it first plays.
  SoundTrack::Samples Sound();
  void Sound(int64_t from_ms);

  std::unique_ptr<FrameSource> pictures_;
  SoundTrack& track_;
  const Clock& clock_;
  int voice_;
  std::string path_;
  SoundTrack::Samples sound_;
  bool playing_ = false;
  int64_t position_ = 0;    // in the film, while halted
  int64_t started_at_ = 0;  // clock time of the film's start, while playing
};

}  // namespace velmorant::platform
