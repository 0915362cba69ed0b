#pragma once

#include <memory>

#include "platform/audio/mixer.hpp"
#include "platform/audio/sound_player.hpp"
#include "platform/film/film_player.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/memory_budget.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// Sounds and films of the desktop over one audio device: wave sounds through the mixer, films
// decoded off the GUI thread with their sound through the mixer's stream hook. Without an audio
// device sounds and films play silent and are still logged.
class DesktopMedia {
 public:
  DesktopMedia(EventLog& log, EventLoop& loop, MemoryBudget& memory);
  ~DesktopMedia();

  SoundPlayer& Sounds() { return *sounds_; }
  // A film player whose pictures appear in `display`.
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display);

 private:
  EventLog& log_;
  EventLoop& loop_;
  std::unique_ptr<Mixer> mixer_;
  std::unique_ptr<SoundPlayer> sounds_;
};

// What a desktop backend keeps for its Sounds() and CreateFilmPlayer() slots.
inline std::unique_ptr<DesktopMedia> OpenDesktopMedia(EventLog& log, EventLoop& loop,
                                                      MemoryBudget& memory) {
  return std::make_unique<DesktopMedia>(log, loop, memory);
}

}  // namespace velmorant::platform
