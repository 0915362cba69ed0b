#pragma once

#include <memory>
#include <optional>
#include <string>

namespace velmorant::platform {

// A process started by a launch and held by the player until it is released or ended.
class LaunchedProcess {
 public:
  virtual ~LaunchedProcess() = default;
  // Nothing while the process runs; its exit code once it has ended.
  virtual std::optional<int> ExitCode() = 0;
  // Ends the process; false when it could not be ended.
  virtual bool Terminate(int exit_code) = 0;
};

// What a presentation asks the desktop to open: a verb ("open", "print", "explore"), a file,
// folder or address, parameters and a working folder, as the shell's execute request carries them.
struct LaunchRequest {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
};

struct LaunchResult {
  bool ok = false;
  std::unique_ptr<LaunchedProcess> process;  // none when the launch holds no process
};

// Opening documents, folders and links with the desktop's default application, and starting
// programs.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual LaunchResult Launch(const LaunchRequest& request) = 0;
};

}  // namespace velmorant::platform
