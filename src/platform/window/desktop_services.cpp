#include "platform/window/desktop_services.hpp"

#include "platform/shell/recording_shell.hpp"
#include "platform/text/recording_printer.hpp"

namespace velmorant::platform {

// The launcher and the printer only record what they are asked, as the headless ones do, until
// their real ones are wired here.
DesktopServices MakeDesktopServices(EventLog& log, EventLoop& loop) {
  DesktopServices s;
  s.media = OpenDesktopMedia(log, loop);
  s.shell = std::make_unique<RecordingShell>(log);
  s.printer = std::make_unique<RecordingPrinter>(log);
  return s;
}

}  // namespace velmorant::platform
