#pragma once

#include <string>
#include <vector>

#include "platform/shell/shell.hpp"

namespace velmorant::platform {

enum class LaunchAction {
  kRefuse,
  kOpenAddress,      // a web address, in its scheme's application
  kOpenFile,         // a document, in the application of its type
  kOpenFolder,       // in the file manager
  kRunNative,        // started directly
  kRunWindows,       // started through wine
  kRunWindowsBatch,  // through wine's command interpreter
};

// What a launch request comes to, decided the same way whether it is then carried out, only
// logged (--no-launch) or pretended (headless).
struct LaunchPlan {
  LaunchAction action = LaunchAction::kRefuse;
  std::string target;  // the address, or the absolute path of the file or folder
  // The program's command line as started ('#' replaced); empty for what is not a program.
  std::string command_line;
  std::vector<std::string> arguments;  // the command line's arguments
  std::string why;                     // why it is refused
};

// Only web addresses and local names are opened; only a process's request starts a program.
// Whether the file exists is not asked: a missing one fails when the plan is carried out.
LaunchPlan PlanLaunch(const LaunchRequest& request);

}  // namespace velmorant::platform
