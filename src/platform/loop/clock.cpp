#include "platform/loop/clock.hpp"

#include <thread>

namespace velmorant::platform {

int64_t RealClock::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

void RealClock::Sleep(int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace velmorant::platform
