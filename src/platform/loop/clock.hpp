#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace velmorant::platform {

// Milliseconds since the player started. The desktop runs on the real clock; headless runs on a
// virtual one that moves only when the run says so, which makes them exactly reproducible.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t NowMs() const = 0;
  // Blocks the thread without handling messages.
  virtual void Sleep(int64_t ms) = 0;
};

class VirtualClock final : public Clock {
 public:
  // Told of every step just before it is taken, while what the run shows is still that of `from`.
  using StepHook = std::function<void(int64_t from, int64_t to)>;

  int64_t NowMs() const override { return now_; }
  void Sleep(int64_t ms) override {
    if (ms > 0) AdvanceTo(now_ + ms);
  }
  // Time never runs backwards.
  void AdvanceTo(int64_t t) {
    if (t <= now_) return;
    if (on_step_) on_step_(now_, t);
    now_ = t;
  }
  void SetStepHook(StepHook hook) { on_step_ = std::move(hook); }

 private:
  int64_t now_ = 0;
  StepHook on_step_;
};

class RealClock final : public Clock {
 public:
  RealClock() : start_(std::chrono::steady_clock::now()) {}
  int64_t NowMs() const override;
  void Sleep(int64_t ms) override;

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace velmorant::platform
