#pragma once

#include <memory>
#include <optional>

#include "platform/shell/child_reaper.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// A started program that leads a session and process group of its own, so that ending it ends
// whatever it started too. Released while it runs, it is left running and collected when it ends;
// released after it has ended, what it left running in its group is ended.
class ProcessGroup final : public LaunchedProcess {
 public:
  ProcessGroup(int leader, std::shared_ptr<ChildReaper> reaper)
      : leader_(leader), reaper_(std::move(reaper)) {}
  ProcessGroup(const ProcessGroup&) = delete;
  ProcessGroup& operator=(const ProcessGroup&) = delete;
  ~ProcessGroup() override;

  std::optional<int> ExitCode() override;
  bool Terminate(int exit_code) override;

 private:
  int leader_;
  std::shared_ptr<ChildReaper> reaper_;
  std::optional<int> terminated_with_;  // once the reaper has the group
};

}  // namespace velmorant::platform
