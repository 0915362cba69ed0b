#pragma once

#include <signal.h>
#include <spawn.h>

namespace velmorant::platform {

// posix_spawn's attributes and file actions, owned.
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

  // Signals as a fresh program has them, whatever the player blocks or handles; `flags` are
  // further POSIX_SPAWN_ flags.
  void FreshSignals(short flags = 0) {
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attr_, &none);
    ::posix_spawnattr_setsigdefault(&attr_, &all);
    ::posix_spawnattr_setflags(&attr_,
                               short(flags | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

}  // namespace velmorant::platform
