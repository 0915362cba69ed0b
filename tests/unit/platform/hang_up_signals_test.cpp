// SIGHUP and SIGQUIT reach the player as SIGTERM, which ends the show and what it started.
#include "platform/hang_up_signals.hpp"

#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <thread>

namespace velmorant::platform {
namespace {

std::atomic<int> terminations{0};

void CountTermination(int /*signal*/) {
  ++terminations;
}

TEST(HangUpSignals, HangUpAndQuitArriveAsTerminate) {
  struct sigaction counting {};
  struct sigaction previous {};
  counting.sa_handler = CountTermination;
  ::sigemptyset(&counting.sa_mask);
  ::sigaction(SIGTERM, &counting, &previous);
  EndOnHangUpAndQuitAsOnTerminate();
  // Another thread may take the forwarded signal: waited for, one at a time, since two pending
  // SIGTERMs would be one.
  const auto arrived = [](int count) {
    for (int tries = 0; tries < 100000 && terminations.load() < count; ++tries) {
      std::this_thread::yield();
    }
    return terminations.load() >= count;
  };
  ::raise(SIGHUP);
  EXPECT_TRUE(arrived(1));
  ::raise(SIGQUIT);
  EXPECT_TRUE(arrived(2));
  ::signal(SIGHUP, SIG_DFL);
  ::signal(SIGQUIT, SIG_DFL);
  ::sigaction(SIGTERM, &previous, nullptr);
}

}  // namespace
}  // namespace velmorant::platform
