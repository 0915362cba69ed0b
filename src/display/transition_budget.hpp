#pragma once

#include <algorithm>
#include <cstdint>

namespace velmorant {

// What the animated transitions run in one go may cost together: the player sleeps between their
// steps without looking at its input, so a page of 150 long wipes would shut the user out for
// minutes. One page change is one go, and so is each click, key or timer tick after it. A
// transition that does not fit in what is left is drawn at once instead; ordinary pages stay far
// below both limits.
class TransitionBudget {
 public:
  // As many steps as one transition may have.
  static constexpr int64_t kMaxSteps = 4096;
  static constexpr int64_t kMaxPauseMs = 15000;

  void Refill() {
    steps_ = 0;
    pause_ms_ = 0;
  }

  // True, with the cost taken, when `steps` steps each pausing `delay_ms` fit in what is left.
  bool Take(int64_t steps, int64_t delay_ms) {
    steps = std::max<int64_t>(steps, 0);
    const int64_t pause = steps * std::clamp<int64_t>(delay_ms, 0, kMaxPauseMs + 1);
    if (steps > kMaxSteps - steps_ || pause > kMaxPauseMs - pause_ms_) return false;
    steps_ += steps;
    pause_ms_ += pause;
    return true;
  }

 private:
  int64_t steps_ = 0;
  int64_t pause_ms_ = 0;
};

}  // namespace velmorant
