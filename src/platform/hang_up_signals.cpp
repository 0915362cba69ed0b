#include "platform/hang_up_signals.hpp"

#include <signal.h>
#include <unistd.h>

namespace velmorant::platform {

namespace {

// Async-signal-safe: whoever handles SIGTERM (the desktop's event loop) takes it from here.
void AsTerminate(int /*signal*/) {
  ::kill(::getpid(), SIGTERM);
}

}  // namespace

void EndOnHangUpAndQuitAsOnTerminate() {
  struct sigaction action {};
  action.sa_handler = AsTerminate;
  ::sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGHUP, &action, nullptr);
  ::sigaction(SIGQUIT, &action, nullptr);
}

}  // namespace velmorant::platform
