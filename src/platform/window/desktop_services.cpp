#include "platform/window/desktop_services.hpp"

#include "platform/audio/recording_sound_player.hpp"
#include "platform/film/recording_film_player.hpp"
#include "platform/shell/recording_shell.hpp"
#include "platform/text/recording_printer.hpp"

namespace velmorant::platform {

// For now every service only records what it is asked, as the headless ones do.
DesktopServices MakeDesktopServices(EventLog& log) {
  DesktopServices s;
  s.sounds = std::make_unique<RecordingSoundPlayer>(log);
  s.shell = std::make_unique<RecordingShell>(log);
  s.printer = std::make_unique<RecordingPrinter>(log);
  s.films = [&log](Window& /*display*/) { return std::make_unique<RecordingFilmPlayer>(log); };
  return s;
}

}  // namespace velmorant::platform
