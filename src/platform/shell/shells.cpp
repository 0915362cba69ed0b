#include "platform/shell/shells.hpp"

#include "platform/shell/logged_shell.hpp"
#include "platform/shell/pretend_shell.hpp"

namespace velmorant::platform {

std::unique_ptr<Shell> MakeHeadlessShell(EventLog& log, bool no_launch) {
  return std::make_unique<LoggedShell>(std::make_unique<PretendShell>(), log, no_launch);
}

}  // namespace velmorant::platform
