#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/shell/child_reaper.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// Starts the program `argv[0]` (a path, or a name looked up on PATH) with `argv`, in `directory`
// when that is a folder, as the leader of a session of its own.
LaunchResult SpawnProgram(const std::vector<std::string>& argv, const std::string& directory,
                          const std::shared_ptr<ChildReaper>& reaper);

}  // namespace velmorant::platform
