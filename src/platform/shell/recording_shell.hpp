#pragma once

#include "platform/loop/event_log.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// Launches nothing: every request becomes a "launch" event of the log and succeeds without a
// process to hold.
class RecordingShell final : public Shell {
 public:
  explicit RecordingShell(EventLog& log) : log_(log) {}
  LaunchResult Launch(const LaunchRequest& request) override;

 private:
  EventLog& log_;
};

}  // namespace velmorant::platform
