#include "platform/loop/event_loop.hpp"

#include <algorithm>

namespace velmorant::platform {

EventLoop::~EventLoop() {
  // Timers outliving their loop must not call back into it.
  for (Timer* t : timers_) {
    t->armed_ = false;
    t->loop_ = nullptr;
  }
}

void EventLoop::PostPaint(const void* key, Message paint) {
  for (Queued& p : paints_) {
    if (p.owner == key) {
      p.run = std::move(paint);
      return;
    }
  }
  paints_.push_back({key, std::move(paint)});
}

void EventLoop::CancelAll(const void* owner) {
  const auto owned = [owner](const Queued& q) { return q.owner == owner; };
  std::erase_if(messages_, owned);
  std::erase_if(paints_, owned);
}

void EventLoop::Unregister(Timer* t) {
  std::erase(timers_, t);
}

Timer* EventLoop::EarliestDue(int64_t now, uint64_t not_after_generation) const {
  Timer* best = nullptr;
  for (Timer* t : timers_) {
    if (!t->armed_ || t->due_ > now || t->armed_generation_ > not_after_generation) continue;
    if (!best || t->due_ < best->due_ ||
        (t->due_ == best->due_ && t->armed_generation_ < best->armed_generation_)) {
      best = t;
    }
  }
  return best;
}

bool EventLoop::DispatchOne() {
  if (!messages_.empty()) {
    Message m = std::move(messages_.front().run);
    messages_.pop_front();
    ++dispatched_;
    if (m) m();
    return true;
  }
  if (!paints_.empty()) {
    Message m = std::move(paints_.front().run);
    paints_.pop_front();
    ++dispatched_;
    if (m) m();
    return true;
  }
  const int64_t now = clock_.NowMs();
  if (Timer* t = EarliestDue(now, std::numeric_limits<uint64_t>::max())) {
    ++dispatched_;
    t->Fire(now);
    return true;
  }
  return false;
}

void EventLoop::ProcessMessages() {
  std::vector<Timer*> ticked;
  for (;;) {
    if (!messages_.empty() || !paints_.empty()) {
      DispatchOne();
      continue;
    }
    const int64_t now = clock_.NowMs();
    Timer* next = nullptr;
    for (Timer* t : timers_) {
      if (!t->armed_ || t->due_ > now) continue;
      if (std::find(ticked.begin(), ticked.end(), t) != ticked.end()) continue;
      if (!next || t->due_ < next->due_ ||
          (t->due_ == next->due_ && t->armed_generation_ < next->armed_generation_)) {
        next = t;
      }
    }
    if (!next) return;
    ticked.push_back(next);
    ++dispatched_;
    next->Fire(now);
  }
}

bool EventLoop::HasWaiting() const {
  if (!messages_.empty() || !paints_.empty()) return true;
  return EarliestDue(clock_.NowMs(), std::numeric_limits<uint64_t>::max()) != nullptr;
}

int64_t EventLoop::NextTimerDue() const {
  int64_t due = std::numeric_limits<int64_t>::max();
  for (const Timer* t : timers_) {
    if (t->armed_) due = std::min(due, t->due_);
  }
  return due;
}

Timer::Timer(EventLoop& loop) : loop_(&loop) {
  loop_->Register(this);
}

Timer::~Timer() {
  if (loop_) loop_->Unregister(this);
}

void Timer::SetInterval(int32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void Timer::SetOnTimer(EventLoop::Message handler) {
  handler_ = std::move(handler);
  Restart();
}

void Timer::Restart() {
  armed_ = loop_ && interval_ > 0 && handler_;
  if (!armed_) {
    due_ = std::numeric_limits<int64_t>::max();
    return;
  }
  due_ = loop_->NowMs() + std::max(interval_, kMinimumMs);
  armed_generation_ = ++loop_->generation_;
}

void Timer::Fire(int64_t now) {
  // Expirations that passed while the tick was pending were merged into it.
  const int64_t period = std::max(interval_, kMinimumMs);
  if (due_ <= now) due_ += ((now - due_) / period + 1) * period;
  // The handler may destroy this timer or reassign its handler: run a copy.
  EventLoop::Message handler = handler_;
  if (handler) handler();
}

}  // namespace velmorant::platform
