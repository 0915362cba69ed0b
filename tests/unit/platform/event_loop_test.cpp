#include "platform/loop/event_loop.hpp"

#include <gtest/gtest.h>

#include <optional>

#include <string>
#include <vector>

#include "platform/loop/clock.hpp"

namespace velmorant::platform {
namespace {

// Runs everything due up to `t` in time order, as a headless `wait` does.
void RunUntil(VirtualClock& clock, EventLoop& loop, int64_t t) {
  for (;;) {
    while (loop.DispatchOne()) {
    }
    const int64_t due = loop.NextTimerDue();
    if (due > t) break;
    clock.AdvanceTo(due);
  }
  clock.AdvanceTo(t);
}

TEST(Timer, FiresAtIntervalAndRestartsOnlyOnChange) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer timer(loop);
  std::vector<int64_t> ticks;
  timer.Arm(100, [&] { ticks.push_back(clock.NowMs()); });
  RunUntil(clock, loop, 250);
  EXPECT_EQ(ticks, (std::vector<int64_t>{100, 200}));

  // The same interval again does not restart the countdown; a new handler does.
  timer.SetInterval(100);
  RunUntil(clock, loop, 300);
  EXPECT_EQ(ticks.back(), 300);
  clock.AdvanceTo(350);
  timer.SetOnTimer([&] { ticks.push_back(-clock.NowMs()); });
  RunUntil(clock, loop, 460);
  EXPECT_EQ(ticks.back(), -450);
}

TEST(Timer, ZeroIntervalOrNoHandlerDisarms) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer timer(loop);
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  EXPECT_FALSE(timer.Armed());
  timer.SetInterval(50);
  EXPECT_TRUE(timer.Armed());
  timer.SetInterval(0);
  RunUntil(clock, loop, 1000);
  EXPECT_EQ(ticks, 0);
  timer.Arm(50, nullptr);
  RunUntil(clock, loop, 2000);
  EXPECT_EQ(ticks, 0);
}

TEST(Timer, ShortIntervalsRunAtTheSystemMinimum) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer timer(loop);
  std::vector<int64_t> ticks;
  timer.Arm(1, [&] { ticks.push_back(clock.NowMs()); });
  RunUntil(clock, loop, 25);
  EXPECT_EQ(ticks, (std::vector<int64_t>{10, 20}));
}

TEST(Timer, MissedExpirationsMergeIntoOnePendingTick) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer timer(loop);
  int ticks = 0;
  timer.Arm(100, [&] { ++ticks; });
  clock.Sleep(550);  // a long transition: nothing is handled meanwhile
  loop.ProcessMessages();
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer.DueAt(), 600);
}

TEST(Timer, TicksWaitForPostedMessagesAndRunInDueOrder) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer late(loop);
  Timer early(loop);
  std::vector<std::string> order;
  late.Arm(200, [&] { order.push_back("late"); });
  early.Arm(100, [&] { order.push_back("early"); });
  clock.AdvanceTo(300);
  loop.Post([&] { order.push_back("message"); });
  loop.PostPaint(&order, [&] { order.push_back("paint"); });
  loop.ProcessMessages();
  EXPECT_EQ(order, (std::vector<std::string>{"message", "paint", "early", "late"}));
}

TEST(Timer, DestroyedTimerNeverFiresAndMayDieInItsOwnHandler) {
  VirtualClock clock;
  EventLoop loop(clock);
  int ticks = 0;
  auto timer = std::make_unique<Timer>(loop);
  timer->Arm(10, [&] {
    ++ticks;
    timer.reset();
  });
  RunUntil(clock, loop, 100);
  EXPECT_EQ(ticks, 1);
  {
    Timer gone(loop);
    gone.Arm(10, [&] { ++ticks; });
  }
  RunUntil(clock, loop, 200);
  EXPECT_EQ(ticks, 1);
}

TEST(EventLoop, PaintsAreCoalescedPerKeyAndAnOwnersMessagesCancellable) {
  VirtualClock clock;
  EventLoop loop(clock);
  int a = 0;
  int b = 0;
  int unowned = 0;
  loop.PostPaint(&a, [&] { ++a; });
  loop.PostPaint(&a, [&] { ++a; });
  loop.PostPaint(&b, [&] { ++b; });
  loop.PostFor(&b, [&] { ++b; });
  loop.PostFor(&a, [&] { ++a; });
  loop.Post([&] { ++unowned; });
  loop.CancelAll(&b);
  loop.ProcessMessages();
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(unowned, 1);
}

TEST(EventLoop, ATimerThatOutlivesItsLoopStaysQuiet) {
  VirtualClock clock;
  int ticks = 0;
  std::optional<Timer> survivor;
  {
    EventLoop loop(clock);
    survivor.emplace(loop);
    survivor->Arm(10, [&] { ++ticks; });
  }
  // Neither re-arming nor destroying it may touch the loop that is gone.
  survivor->Arm(20, [&] { ++ticks; });
  EXPECT_FALSE(survivor->Armed());
  survivor.reset();
  EXPECT_EQ(ticks, 0);
}

TEST(EventLoop, ProcessMessagesTicksEachTimerOnceEvenIfItStaysDue) {
  VirtualClock clock;
  EventLoop loop(clock);
  Timer timer(loop);
  int ticks = 0;
  // A handler slower than its own interval keeps the timer due.
  timer.Arm(10, [&] {
    ++ticks;
    clock.Sleep(50);
  });
  clock.AdvanceTo(10);
  loop.ProcessMessages();
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace velmorant::platform
