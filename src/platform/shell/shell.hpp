#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmorant::platform {

// A process started by a launch and held by the player until it is released or ended. Releasing
// (destroying) a process that still runs leaves it running.
class LaunchedProcess {
 public:
  virtual ~LaunchedProcess() = default;
  // Nothing while the process runs; its exit code once it has ended.
  virtual std::optional<int> ExitCode() = 0;
  // Ends the process and whatever it started; false when it could not be ended.
  virtual bool Terminate(int exit_code) = 0;
};

// What a presentation asks the desktop to open: a verb ("open", "explore"), a file, folder or
// address, parameters and a working folder, as the shell's execute request carries them.
struct LaunchRequest {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  // When set, each '#' of the parameters stands for this folder (ending in '/'), written the way
  // the started program reads paths.
  std::string hash_folder;
  // A process: its file may be a program to start. A link or a document never starts one.
  bool program = false;
  // The file as the presentation names it, for what the user is told; empty for an address.
  std::string name{};
};

struct LaunchResult {
  bool ok = false;
  std::unique_ptr<LaunchedProcess> process;  // none when the launch holds no process
  std::string error;                         // why it failed, for the warning
};

// Opening documents, folders and links with the desktop's default application, and starting
// programs.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual LaunchResult Launch(const LaunchRequest& request) = 0;
  // A request the player will not make (it names something outside the presentation folder):
  // reported as a launch that failed.
  virtual void Refuse(const LaunchRequest& /*request*/, std::string_view /*why*/) {}
};

}  // namespace velmorant::platform
