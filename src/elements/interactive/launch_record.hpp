#pragma once

#include <memory>

#include "platform/shell/shell.hpp"

namespace velmorant {

// The shell-execute record of a link, document or process: what it launched is held here until it
// is ended or released.
class LaunchRecord {
 public:
  LaunchRecord() = default;
  LaunchRecord(LaunchRecord&&) noexcept = default;
  LaunchRecord& operator=(LaunchRecord&&) noexcept = default;
  // A record is destroyed with its program still running only when the player ends without the
  // page's Stop (an error caught at the top): it ends the program as Stop would have.
  ~LaunchRecord() { TerminateLaunched(); }

  // Made ready at every Show: a process of an earlier visit is forgotten (left as it is).
  void Prepare() { process_.reset(); }

  // False, launching nothing, while a process launched through this record still runs; one that
  // has ended, whatever its exit code, is released first so that its button works again.
  bool ShellLaunch(platform::Shell& shell, const platform::LaunchRequest& request);

  // Ends a held process that still runs and releases it; one that has ended is released. True
  // when a running process was ended.
  bool TerminateLaunched();

  bool Holds() const { return process_ != nullptr; }

 private:
  // The exit code a process still running reports, with which it is terminated.
  static constexpr int kStillActive = 259;

  std::unique_ptr<platform::LaunchedProcess> process_;
};

}  // namespace velmorant
