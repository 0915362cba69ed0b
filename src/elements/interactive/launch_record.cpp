#include "elements/interactive/launch_record.hpp"

namespace velmorant {

bool LaunchRecord::ShellLaunch(platform::Shell& shell, const platform::LaunchRequest& request) {
  if (process_) {
    if (!process_->ExitCode()) return false;
    process_.reset();
  }
  platform::LaunchResult result = shell.Launch(request);
  process_ = std::move(result.process);
  return result.ok;
}

bool LaunchRecord::TerminateLaunched() {
  if (!process_) return false;
  if (process_->ExitCode()) {
    process_.reset();
    return false;
  }
  if (!process_->Terminate(kStillActive)) return false;
  process_.reset();
  return true;
}

}  // namespace velmorant
