#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace velmorant::platform {

// Collects the player's started processes once they end, and ends process groups without making
// the player wait: a polite signal at once, a forceful one after the grace period, then the
// leader is reaped. A leader stays unreaped until its group has had the forceful signal, so that
// its number cannot be reused by a stranger's group in the meantime.
class ChildReaper {
 public:
  explicit ChildReaper(std::chrono::milliseconds grace);
  ChildReaper(const ChildReaper&) = delete;
  ChildReaper& operator=(const ChildReaper&) = delete;
  // Groups being ended still get their forceful signal; running processes are left running.
  ~ChildReaper();

  // Reaps `pid` once it has ended.
  void Collect(int pid);
  // Ends the process group led by `leader` (the leader of its own session); false when the
  // polite signal could not be sent.
  bool EndGroup(int leader);

 private:
  using Clock = std::chrono::steady_clock;
  enum class State {
    kRunning,      // collected once it ends
    kTerminating,  // politely asked to end; the forceful signal comes at `kill_at`
    kKilled,       // collected once the leader is dead
  };
  struct Child {
    int pid;
    State state;
    Clock::time_point kill_at;
  };

  void Add(Child child);
  void Run(std::stop_token stop);
  // One pass over the children; the time of the next pass.
  Clock::time_point Pass(bool stopping);

  std::chrono::milliseconds grace_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::vector<Child> children_;
  uint64_t additions_ = 0;
  std::jthread thread_;  // last: started after the members it uses
};

}  // namespace velmorant::platform
