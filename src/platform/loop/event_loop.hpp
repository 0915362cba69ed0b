#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <vector>

#include "platform/loop/clock.hpp"

namespace velmorant::platform {

class Timer;

// The one message queue of the player's GUI thread. Posted messages go first, then low-priority
// paints, then due timer ticks, as a Windows message queue hands them out.
class EventLoop {
 public:
  using Message = std::function<void()>;

  explicit EventLoop(Clock& clock) : clock_(clock) {}
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;
  ~EventLoop();

  Clock& GetClock() { return clock_; }
  int64_t NowMs() const { return clock_.NowMs(); }

  void Post(Message message) { messages_.push_back({nullptr, std::move(message)}); }
  // A message on behalf of `owner` (a window): CancelAll(owner) drops it while it waits.
  void PostFor(const void* owner, Message message) {
    messages_.push_back({owner, std::move(message)});
  }
  // A paint request: kept once per key and delivered only when no posted message waits.
  void PostPaint(const void* key, Message paint);
  // Drops the waiting messages and paint of an owner that goes away.
  void CancelAll(const void* owner);

  // Handles one waiting message, paint or due tick; false when nothing was waiting.
  bool DispatchOne();
  // Handles everything that waits now, re-entrantly; each timer ticks at most once per call so
  // that a timer slower than its own interval cannot keep this from returning.
  void ProcessMessages();
  bool HasWaiting() const;
  // How many messages, paints and ticks have been handled so far: a change means that windows
  // may show something new.
  uint64_t Dispatched() const { return dispatched_; }

  // When the earliest armed timer falls due; max() when none is armed.
  int64_t NextTimerDue() const;

 private:
  friend class Timer;
  struct Queued {
    const void* owner;
    Message run;
  };

  void Register(Timer* t) { timers_.push_back(t); }
  void Unregister(Timer* t);
  Timer* EarliestDue(int64_t now, uint64_t not_after_generation) const;

  Clock& clock_;
  std::deque<Queued> messages_;
  std::deque<Queued> paints_;
  std::vector<Timer*> timers_;
  uint64_t generation_ = 0;
  uint64_t dispatched_ = 0;
};

// A window timer with the Windows form-library behaviour: assigning a different interval, or any
// handler, restarts the countdown; interval 0 or no handler disarms it; intervals below 10 ms
// run at 10 ms; a due timer leaves one pending tick at most. Destroying it cancels everything; a
// timer that outlives its loop stays disarmed for good.
class Timer {
 public:
  static constexpr int32_t kMinimumMs = 10;

  explicit Timer(EventLoop& loop);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  void SetInterval(int32_t ms);
  void SetOnTimer(EventLoop::Message handler);
  // Interval and handler together, as the players' "arm" and "disarm" steps do.
  void Arm(int32_t ms, EventLoop::Message handler) {
    SetInterval(ms);
    SetOnTimer(std::move(handler));
  }
  void Disarm() {
    SetOnTimer(nullptr);
    SetInterval(0);
  }

  int32_t Interval() const { return interval_; }
  bool HasHandler() const { return bool(handler_); }
  bool Armed() const { return armed_; }
  int64_t DueAt() const { return due_; }

 private:
  friend class EventLoop;
  void Restart();
  void Fire(int64_t now);

  EventLoop* loop_;  // null once the loop is gone
  int32_t interval_ = 0;
  EventLoop::Message handler_;
  bool armed_ = false;
  int64_t due_ = std::numeric_limits<int64_t>::max();
  uint64_t armed_generation_ = 0;  // order of arming breaks ties between equal due times
};

}  // namespace velmorant::platform
