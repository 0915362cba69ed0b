#pragma once

#include <memory>

#include "platform/loop/event_log.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// The launcher of a desktop run: opens and starts for real, logs every launch and termination;
// with `no_launch` it only logs the attempts.
std::unique_ptr<Shell> MakeDesktopShell(EventLog& log, bool no_launch);

// The launcher of a headless run: starts nothing, and every launch holds a pretend process that
// runs until it is terminated; logged as on the desktop.
std::unique_ptr<Shell> MakeHeadlessShell(EventLog& log, bool no_launch);

}  // namespace velmorant::platform
