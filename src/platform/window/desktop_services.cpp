#include "platform/window/desktop_services.hpp"

#include "platform/shell/shells.hpp"
#include "platform/text/recording_printer.hpp"

namespace velmorant::platform {

// The printer only records what it is asked, as the headless one does, until the real one is wired
// here.
DesktopServices MakeDesktopServices(EventLog& log, EventLoop& loop, bool no_launch) {
  DesktopServices s;
  s.media = OpenDesktopMedia(log, loop);
  s.shell = MakeDesktopShell(log, no_launch);
  s.printer = std::make_unique<RecordingPrinter>(log);
  return s;
}

}  // namespace velmorant::platform
