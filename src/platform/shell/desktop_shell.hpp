#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/child_reaper.hpp"
#include "platform/shell/gio_opener.hpp"
#include "platform/shell/launch_plan.hpp"
#include "platform/shell/shell.hpp"
#include "platform/shell/wine_probe.hpp"

namespace velmorant::platform {

struct DesktopShellOptions {
  // Between the polite and the forceful signal when a started program is ended.
  std::chrono::milliseconds grace{1000};
  std::filesystem::path wine32_loader{kDebianWine32Loader};
};

// The desktop's shell: "open" gives web addresses and documents to their default applications,
// starts a process's programs (Windows ones through wine) and opens folders in the file manager;
// "explore" opens a folder. Relative names are found in the request's folder.
class DesktopShell final : public Shell {
 public:
  explicit DesktopShell(DesktopShellOptions options = {});
  LaunchResult Launch(const LaunchRequest& request) override;

 private:
  // Starts `argv` followed by the plan's arguments.
  LaunchResult Run(std::vector<std::string> argv, const LaunchPlan& plan,
                   const LaunchRequest& request);

  DesktopShellOptions options_;
  std::shared_ptr<ChildReaper> reaper_;
  GioOpener opener_;
};

}  // namespace velmorant::platform
