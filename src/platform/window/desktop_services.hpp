#pragma once

#include <functional>
#include <memory>

#include "platform/audio/sound_player.hpp"
#include "platform/film/film_player.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/shell/shell.hpp"
#include "platform/text/printer.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// The desktop's sounds, films, launcher and printer. They are made in one place
// (MakeDesktopServices) so that each can be replaced by its real implementation on its own.
struct DesktopServices {
  std::unique_ptr<SoundPlayer> sounds;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<Printer> printer;
  std::function<std::unique_ptr<FilmPlayer>(Window& display)> films;
};

DesktopServices MakeDesktopServices(EventLog& log);

}  // namespace velmorant::platform
