#include "platform/shell/program_spawn.hpp"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/shell/process_group.hpp"

extern char** environ;

namespace velmorant::platform {

namespace {

class SpawnAttributes {
 public:
  SpawnAttributes() {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  ~SpawnAttributes() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  posix_spawnattr_t* Attr() { return &attr_; }
  posix_spawn_file_actions_t* Actions() { return &actions_; }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

}  // namespace

LaunchResult SpawnProgram(const std::vector<std::string>& argv, const std::string& directory,
                          const std::shared_ptr<ChildReaper>& reaper) {
  if (argv.empty()) return {false, nullptr, "no program"};
  SpawnAttributes spawn;
  // Its own session, so that its group can be ended as a whole; signals as a fresh program has
  // them.
  sigset_t none;
  sigset_t all;
  ::sigemptyset(&none);
  ::sigfillset(&all);
  ::posix_spawnattr_setsigmask(spawn.Attr(), &none);
  ::posix_spawnattr_setsigdefault(spawn.Attr(), &all);
  ::posix_spawnattr_setflags(spawn.Attr(),
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
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
