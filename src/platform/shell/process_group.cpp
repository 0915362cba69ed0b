#include "platform/shell/process_group.hpp"

#include <sys/wait.h>

namespace velmorant::platform {

ProcessGroup::~ProcessGroup() {
  if (terminated_with_) return;
  if (ExitCode()) {
    reaper_->EndGroup(leader_);
  } else {
    reaper_->Collect(leader_);
  }
}

std::optional<int> ProcessGroup::ExitCode() {
  if (terminated_with_) return terminated_with_;
  siginfo_t info{};
  // Looked at without collecting it: the leader keeps the group's number until the group ends.
  // A leader that is not ours to wait for any more has ended as far as the player can tell.
  if (::waitid(P_PID, id_t(leader_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return -1;
  if (info.si_pid == 0) return std::nullopt;
  if (info.si_code == CLD_EXITED) return info.si_status;
  return 128 + info.si_status;  // ended by a signal, as a shell reports it
}

bool ProcessGroup::Terminate(int exit_code) {
  if (terminated_with_) return true;
  if (!reaper_->EndGroup(leader_)) return false;
  terminated_with_ = exit_code;
  return true;
}

}  // namespace velmorant::platform
