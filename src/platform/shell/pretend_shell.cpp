#include "platform/shell/pretend_shell.hpp"

namespace velmorant::platform {

namespace {

class PretendProcess final : public LaunchedProcess {
 public:
  std::optional<int> ExitCode() override { return exit_code_; }
  bool Terminate(int exit_code) override {
    if (!exit_code_) exit_code_ = exit_code;
    return true;
  }

 private:
  std::optional<int> exit_code_;
};

}  // namespace

LaunchResult PretendShell::Launch(const LaunchRequest& /*request*/) {
  return {true, std::make_unique<PretendProcess>(), {}};
}

}  // namespace velmorant::platform
