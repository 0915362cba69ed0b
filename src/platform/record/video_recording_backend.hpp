#pragma once

#include <memory>
#include <string>

#include "platform/forwarding_backend.hpp"
#include "platform/record/sound_track.hpp"
#include "platform/record/tracked_sound_player.hpp"
#include "platform/record/video_file.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant::platform {

// A headless run recorded as a video: at every frame time of the virtual clock the screen as its
// windows show it (black where none does), and the wave sounds and film soundtracks on one track.
// Each time the clock is about to move, the frames due before the new time get the picture of
// now, which is the last one the run presented.
class VideoRecordingBackend final : public ForwardingBackend {
 public:
  VideoRecordingBackend(std::unique_ptr<HeadlessBackend> run, std::unique_ptr<VideoFile> file,
                        int fps);
  ~VideoRecordingBackend() override;

  SoundPlayer& Sounds() override { return sounds_; }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override;

  // Records the frame of the moment the run ended and writes the file out: false, with `error`
  // saying why, when it could not be written. Nothing more is recorded after it.
  bool Finish(std::string* error);
  int64_t Frames() const { return next_frame_; }

 private:
  // Frames due before `until` (ms times the frame rate, so that no rate loses a frame to
  // rounding), then the sound up to the last of them.
  void RecordUntil(int64_t until_scaled);
  void ComposeScreen();

  std::unique_ptr<HeadlessBackend> run_;
  std::unique_ptr<VideoFile> file_;
  int fps_;
  SoundTrack track_;
  TrackedSoundPlayer sounds_;
  int next_film_voice_ = TrackedSoundPlayer::kVoice + 1;
  int64_t next_frame_ = 0;
  Bitmap screen_;
  Bitmap window_picture_;
  std::vector<int16_t> sound_;
  bool finished_ = false;
};

}  // namespace velmorant::platform
