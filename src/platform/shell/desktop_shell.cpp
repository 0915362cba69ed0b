#include "platform/shell/desktop_shell.hpp"

#include <cstdlib>

#include "platform/shell/launch_plan.hpp"
#include "platform/shell/logged_shell.hpp"
#include "platform/shell/program_spawn.hpp"
#include "platform/shell/shells.hpp"

namespace velmorant::platform {

namespace {

namespace fs = std::filesystem;

LaunchResult Failed(std::string why) {
  return {false, nullptr, std::move(why)};
}

}  // namespace

DesktopShell::DesktopShell(DesktopShellOptions options)
    : options_(std::move(options)),
      reaper_(std::make_shared<ChildReaper>(options_.grace)),
      opener_(reaper_) {}

LaunchResult DesktopShell::Launch(const LaunchRequest& request) {
  const LaunchPlan plan = PlanLaunch(request);
  std::error_code ec;
  switch (plan.action) {
    case LaunchAction::kRefuse:
      return Failed(plan.why);
    case LaunchAction::kOpenAddress:
      return opener_.OpenAddress(plan.target, request.directory);
    case LaunchAction::kOpenFolder:
      if (!fs::is_directory(plan.target, ec)) return Failed("not a folder");
      return opener_.OpenFolder(plan.target, request.directory);
    case LaunchAction::kOpenFile:
      if (!fs::exists(plan.target, ec)) return Failed("no such file or folder");
      return opener_.OpenPath(plan.target, request.directory);
    case LaunchAction::kRunNative:
      return Run({plan.target}, plan, request);
    case LaunchAction::kRunWindows:
    case LaunchAction::kRunWindowsBatch:
      break;
  }
  const char* search_path = std::getenv("PATH");
  const auto wine = FindUsableWine(search_path ? search_path : "", options_.wine32_loader);
  if (!wine) return Failed("a Windows program needs wine with 32-bit support (wine32)");
  std::vector<std::string> program{wine->string()};
  if (plan.action == LaunchAction::kRunWindowsBatch) program.insert(program.end(), {"cmd", "/c"});
  program.push_back(plan.target);
  return Run(std::move(program), plan, request);
}

LaunchResult DesktopShell::Run(std::vector<std::string> argv, const LaunchPlan& plan,
                               const LaunchRequest& request) {
  argv.insert(argv.end(), plan.arguments.begin(), plan.arguments.end());
  return SpawnProgram(argv, request.directory, reaper_);
}

std::unique_ptr<Shell> MakeDesktopShell(EventLog& log, bool no_launch) {
  return std::make_unique<LoggedShell>(std::make_unique<DesktopShell>(), log, no_launch);
}

}  // namespace velmorant::platform
