// An element's appearance with its own transition, frame and timer, and its disappearance that
// restores what lay under it.
#include "display/timed_appearance.hpp"

#include <gtest/gtest.h>

#include "platform/loop/clock.hpp"
#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::FakeDrawingContext;

constexpr Pixel kGround = 0x202020;
constexpr Pixel kInk = 0x00FF00;

class Appearance : public ::testing::Test {
 protected:
  Appearance() : drawing_(40, 30, kGround, kGround) {}

  MaskedPicture Picture() const { return {std::make_shared<const Bitmap>(10, 10, kInk), nullptr}; }
  // Lets virtual time pass, firing timers in order.
  void Wait(int64_t ms) {
    const int64_t until = clock_.NowMs() + ms;
    while (loop_.NextTimerDue() <= until) {
      clock_.AdvanceTo(loop_.NextTimerDue());
      loop_.ProcessMessages();
    }
    clock_.AdvanceTo(until);
  }

  FakeDrawingContext drawing_;
  platform::VirtualClock clock_;
  platform::EventLoop loop_{clock_};
  TimedAppearance appearance_{drawing_, loop_};
  const Rect rect_{5, 5, 15, 15};
};

TEST_F(Appearance, AppearsAfterItsDelayAndLeavesAfterItsStayRestoringTheBackground) {
  int appeared = 0;
  int disappeared = 0;
  appearance_.on_appeared = [&] { ++appeared; };
  appearance_.on_disappeared = [&] { ++disappeared; };
  appearance_.Prepare({.can_disappear = true, .timed = true}, rect_, Picture());
  appearance_.SetShown();
  appearance_.AppearAfter(2000, 1000);
  Wait(1999);
  EXPECT_TRUE(AllIn(drawing_.window, drawing_.window.Bounds(), kGround));
  Wait(1);
  EXPECT_EQ(appeared, 1);
  EXPECT_TRUE(AllIn(drawing_.window, rect_, kInk));
  Wait(999);
  EXPECT_EQ(disappeared, 0);
  Wait(1);
  EXPECT_EQ(disappeared, 1);
  EXPECT_TRUE(AllIn(drawing_.window, drawing_.window.Bounds(), kGround));
  // Each timer handler runs once.
  Wait(10000);
  EXPECT_EQ(appeared, 1);
  EXPECT_EQ(disappeared, 1);
}

TEST_F(Appearance, WithoutAStayTheTimerIsDisarmedAfterAppearing) {
  appearance_.Prepare({.timed = true}, rect_, Picture());
  appearance_.AppearAfter(10, 0);
  Wait(10);
  EXPECT_TRUE(AllIn(drawing_.window, rect_, kInk));
  EXPECT_EQ(loop_.NextTimerDue(), std::numeric_limits<int64_t>::max());
}

TEST_F(Appearance, WithoutATimerDelaysAndStaysArmNothing) {
  appearance_.Prepare({.can_disappear = true}, rect_, Picture());
  appearance_.AppearAfter(10, 10);
  appearance_.DisappearAfter(10);
  EXPECT_FALSE(appearance_.HasTimer());
  EXPECT_EQ(loop_.NextTimerDue(), std::numeric_limits<int64_t>::max());
}

TEST_F(Appearance, WithoutAPictureTheFrameAndHooksStillWork) {
  drawing_.frame_styles = {TRam{"f", 1, 0x0000FF, 1, ""}};
  int appeared = 0;
  appearance_.on_appeared = [&] { ++appeared; };
  appearance_.Prepare({.frame = 0}, rect_, {});
  appearance_.DrawAppearing();
  EXPECT_EQ(appeared, 1);
  EXPECT_TRUE(AllIn(drawing_.window, rect_, kGround));
  EXPECT_FALSE(AllIn(drawing_.window, Rect{4, 4, 16, 16}, kGround));
}

TEST_F(Appearance, AfterReleaseNothingDrawsOrFires) {
  int appeared = 0;
  appearance_.on_appeared = [&] { ++appeared; };
  appearance_.Prepare({.timed = true}, rect_, Picture());
  appearance_.SetShown();
  appearance_.AppearAfter(10, 0);
  appearance_.Release();
  EXPECT_FALSE(appearance_.Shown());
  Wait(100);
  appearance_.DrawAppearing();
  appearance_.Disappear();
  EXPECT_EQ(appeared, 0);
  EXPECT_TRUE(AllIn(drawing_.window, drawing_.window.Bounds(), kGround));
}

TEST_F(Appearance, DrawingChangesOnlyPaintsNoBackdropWhileGoneAndReplaysNothingWhileUp) {
  drawing_.transitions = {TPrz{"wipe", 3, 1, 2}};
  appearance_.Prepare(
      {.appear_transition = 0, .can_disappear = true, .timed = true, .draw_changes_only = true},
      rect_, Picture());
  // Never up yet: there is nothing of its own to put back.
  drawing_.window.Set(7, 7, kInk);
  appearance_.Disappear();
  EXPECT_EQ(drawing_.window.At(7, 7), kInk);
  drawing_.window.Set(7, 7, kGround);
  appearance_.Appear(0);
  const size_t presented = drawing_.presented.size();
  appearance_.Appear(500);  // already up: only the stay starts
  EXPECT_EQ(drawing_.presented.size(), presented);
  Wait(500);
  EXPECT_FALSE(appearance_.Visible());
  EXPECT_TRUE(AllIn(drawing_.window, drawing_.window.Bounds(), kGround));
  // Gone already: what is drawn there now stays.
  drawing_.window.Set(7, 7, kInk);
  appearance_.Disappear();
  EXPECT_EQ(drawing_.window.At(7, 7), kInk);
}

}  // namespace
}  // namespace velmorant
