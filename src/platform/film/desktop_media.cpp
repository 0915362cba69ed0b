#include "platform/film/desktop_media.hpp"

#include "platform/audio/mixer_sound_player.hpp"
#include "platform/audio/recording_sound_player.hpp"
#include "platform/film/decoded_film_player.hpp"
#include "platform/film/threaded_frame_source.hpp"

namespace velmorant::platform {

DesktopMedia::DesktopMedia(EventLog& log, EventLoop& loop, MemoryBudget& memory)
    : log_(log), loop_(loop), mixer_(Mixer::Open()) {
  if (mixer_) {
    sounds_ = std::make_unique<MixerSoundPlayer>(*mixer_, log_, &memory);
  } else {
    sounds_ = std::make_unique<RecordingSoundPlayer>(log_, loop_.GetClock(), &memory);
  }
}

DesktopMedia::~DesktopMedia() = default;

std::unique_ptr<FilmPlayer> DesktopMedia::CreateFilmPlayer(Window& display) {
  return std::make_unique<DecodedFilmPlayer>(log_, loop_, display,
                                             std::make_unique<ThreadedFrameSource>(mixer_.get()));
}

}  // namespace velmorant::platform
