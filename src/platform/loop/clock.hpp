#pragma once

#include <chrono>
#include <cstdint>

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
  int64_t NowMs() const override { return now_; }
  void Sleep(int64_t ms) override {
    if (ms > 0) now_ += ms;
  }
  // Time never runs backwards.
  void AdvanceTo(int64_t t) {
    if (t > now_) now_ = t;
  }

 private:
  int64_t now_ = 0;
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
