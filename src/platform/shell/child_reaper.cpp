#include "platform/shell/child_reaper.hpp"

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>

namespace velmorant::platform {

namespace {

// How often ended processes are looked for while there are any to collect.
constexpr std::chrono::milliseconds kPollInterval{100};
// How long the reaper waits at shutdown, beyond the grace period, for killed leaders.
constexpr std::chrono::milliseconds kShutdownLimit{2000};

bool Reaped(int pid) {
  int status = 0;
  const pid_t r = ::waitpid(pid, &status, WNOHANG);
  // Not our child any more counts as gone.
  return r == pid || (r < 0 && errno == ECHILD);
}

}  // namespace

ChildReaper::ChildReaper(std::chrono::milliseconds grace)
    : grace_(grace), thread_([this](std::stop_token stop) { Run(stop); }) {}

ChildReaper::~ChildReaper() {
  thread_.request_stop();
  wake_.notify_all();
}

void ChildReaper::Add(Child child) {
  {
    std::lock_guard lock(mutex_);
    children_.push_back(child);
    ++additions_;
  }
  wake_.notify_all();
}

void ChildReaper::Collect(int pid) {
  Add({pid, State::kRunning, {}});
}

bool ChildReaper::EndGroup(int leader) {
  if (::kill(-leader, SIGTERM) != 0 && errno != ESRCH) return false;
  Add({leader, State::kTerminating, Clock::now() + grace_});
  return true;
}

ChildReaper::Clock::time_point ChildReaper::Pass(bool stopping) {
  const auto now = Clock::now();
  auto next = now + kPollInterval;
  std::erase_if(children_, [&](Child& c) {
    if (c.state == State::kTerminating) {
      if (now < c.kill_at) {
        next = std::min(next, c.kill_at);
        return false;
      }
      ::kill(-c.pid, SIGKILL);
      c.state = State::kKilled;
    }
    if (Reaped(c.pid)) return true;
    // At shutdown, processes that nobody asked to end are left running.
    return stopping && c.state == State::kRunning;
  });
  return next;
}

void ChildReaper::Run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  while (!stop.stop_requested()) {
    const uint64_t seen = additions_;
    // A new child wakes the reaper early, so that its deadline counts.
    const auto added = [&] { return additions_ != seen; };
    if (children_.empty()) {
      wake_.wait(lock, stop, added);
    } else {
      wake_.wait_until(lock, stop, Pass(false), added);
    }
  }
  const auto limit = Clock::now() + grace_ + kShutdownLimit;
  while (!children_.empty() && Clock::now() < limit) {
    const auto next = Pass(true);
    lock.unlock();
    std::this_thread::sleep_until(std::min(next, limit));
    lock.lock();
  }
}

}  // namespace velmorant::platform
