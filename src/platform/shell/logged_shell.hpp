#pragma once

#include <memory>
#include <set>
#include <string>

#include "platform/loop/event_log.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// Every launch becomes a "launch" event, with the command line a program is started with, and
// every termination of what it started a "terminate" event; a failed or refused launch gives one
// warning on stderr naming its target. With `no_launch` nothing is handed on: each attempt is
// logged, as it would have been started, and fails.
class LoggedShell final : public Shell {
 public:
  LoggedShell(std::unique_ptr<Shell> inner, EventLog& log, bool no_launch)
      : inner_(std::move(inner)), log_(log), no_launch_(no_launch) {}

  LaunchResult Launch(const LaunchRequest& request) override;
  void Refuse(const LaunchRequest& request, std::string_view why) override;

 private:
  // `command_line` as the program is started.
  void Log(const LaunchRequest& request, const std::string& command_line, bool ok);
  void Warn(const std::string& target, std::string_view why);

  std::unique_ptr<Shell> inner_;
  EventLog& log_;
  bool no_launch_;
  std::set<std::string> warned_;
};

}  // namespace velmorant::platform
