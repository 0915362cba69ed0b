#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/film/desktop_media.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/shell/shell.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/printer.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// The desktop's sounds, films, launcher and printer. They are made in one place
// (MakeDesktopServices) so that each can be replaced by its real implementation on its own.
struct DesktopServices {
  std::unique_ptr<DesktopMedia> media;  // sounds and films over one audio device
  std::unique_ptr<Shell> shell;
  std::unique_ptr<Printer> printer;
};

struct DesktopServiceOptions {
  bool no_launch = false;  // the launcher opens and starts nothing and logs the attempts
  std::optional<std::filesystem::path> print_to;  // printed documents as PDF files here
};

DesktopServices MakeDesktopServices(EventLog& log, EventLoop& loop, FontEngine& fonts,
                                    MemoryBudget& memory, const DesktopServiceOptions& options);

}  // namespace velmorant::platform
