#include "platform/shell/logged_shell.hpp"

#include <iostream>

#include "platform/shell/launch_plan.hpp"

namespace velmorant::platform {

namespace {

class LoggedProcess final : public LaunchedProcess {
 public:
  LoggedProcess(std::unique_ptr<LaunchedProcess> process, EventLog& log, std::string file)
      : process_(std::move(process)), log_(log), file_(std::move(file)) {}

  std::optional<int> ExitCode() override { return process_->ExitCode(); }
  bool Terminate(int exit_code) override {
    const bool ok = process_->Terminate(exit_code);
    log_.Write("terminate", {{"file", file_}, {"ok", ok}});
    return ok;
  }

 private:
  std::unique_ptr<LaunchedProcess> process_;
  EventLog& log_;
  std::string file_;
};

}  // namespace

LaunchResult LoggedShell::Launch(const LaunchRequest& request) {
  const LaunchPlan plan = PlanLaunch(request);
  if (plan.action == LaunchAction::kRefuse) {
    Refuse(request, plan.why);
    return {false, nullptr, plan.why};
  }
  if (no_launch_) {
    Log(request, plan.command_line, false);
    return {false, nullptr, "not opened (--no-launch)"};
  }
  LaunchResult result = inner_->Launch(request);
  Log(request, plan.command_line, result.ok);
  if (!result.ok) Warn(log_.RelativePath(request.file), result.error);
  if (result.process) {
    result.process = std::make_unique<LoggedProcess>(std::move(result.process), log_,
                                                     log_.RelativePath(request.file));
  }
  return result;
}

void LoggedShell::Refuse(const LaunchRequest& request, std::string_view why) {
  Log(request, request.parameters, false);
  if (!no_launch_) Warn(log_.RelativePath(request.file), why);
}

void LoggedShell::Log(const LaunchRequest& request, const std::string& command_line, bool ok) {
  log_.Write("launch", {{"verb", request.verb},
                        {"file", log_.RelativePath(request.file)},
                        {"params", command_line},
                        {"dir", log_.RelativePath(request.directory)},
                        {"ok", ok}});
}

void LoggedShell::Warn(const std::string& target, std::string_view why) {
  std::string line = target + ": not opened: " + std::string(why);
  if (!warned_.insert(line).second) return;
  std::cerr << "velmorant: " << line << '\n';
}

}  // namespace velmorant::platform
