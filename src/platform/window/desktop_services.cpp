#include "platform/window/desktop_services.hpp"

#include "platform/shell/shells.hpp"
#include "platform/text/cups_printer.hpp"

namespace velmorant::platform {

DesktopServices MakeDesktopServices(EventLog& log, EventLoop& loop, FontEngine& fonts,
                                    MemoryBudget& memory, const DesktopServiceOptions& options) {
  DesktopServices s;
  s.media = OpenDesktopMedia(log, loop, memory);
  s.shell = MakeDesktopShell(log, options.no_launch);
  s.printer = std::make_unique<CupsPrinter>(log, fonts, options.print_to);
  return s;
}

}  // namespace velmorant::platform
