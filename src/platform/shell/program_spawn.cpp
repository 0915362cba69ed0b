#include "platform/shell/program_spawn.hpp"

#include <spawn.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/shell/process_group.hpp"
#include "platform/shell/spawn_attributes.hpp"

extern char** environ;

namespace velmorant::platform {

LaunchResult SpawnProgram(const std::vector<std::string>& argv, const std::string& directory,
                          const std::shared_ptr<ChildReaper>& reaper) {
  if (argv.empty()) return {false, nullptr, "no program"};
  SpawnAttributes spawn;
  // Its own session, so that its group can be ended as a whole.
  spawn.FreshSignals(POSIX_SPAWN_SETSID);
  // Nothing of the player's but standard input, output and error reaches the program.
  ::posix_spawn_file_actions_addclosefrom_np(spawn.Actions(), 3);
  std::error_code ec;
  if (!directory.empty() && std::filesystem::is_directory(directory, ec)) {
    ::posix_spawn_file_actions_addchdir_np(spawn.Actions(), directory.c_str());
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int error =
      ::posix_spawnp(&pid, argv[0].c_str(), spawn.Actions(), spawn.Attr(), args.data(), environ);
  if (error != 0) return {false, nullptr, std::strerror(error)};
  return {true, std::make_unique<ProcessGroup>(pid, reaper), {}};
}

}  // namespace velmorant::platform
