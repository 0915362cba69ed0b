// The transitions run in one go share one budget: those that fit animate exactly as before, the
// first that does not is drawn at once, and a fresh go starts afresh.
#include "display/transition_budget.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "display/transitions.hpp"
#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using testing::AllIn;
using testing::FakeDrawingContext;

constexpr platform::Pixel kOld = 0x202020;
constexpr platform::Pixel kNew = 0x00C000;
constexpr int64_t kSteps = TransitionBudget::kMaxSteps;
constexpr int64_t kPause = TransitionBudget::kMaxPauseMs;

TEST(TransitionBudget, StepsAndPausesAddUpToTheirLimitsAndNoFurther) {
  TransitionBudget budget;
  EXPECT_TRUE(budget.Take(kSteps - 10, 0));
  EXPECT_FALSE(budget.Take(11, 0)) << "one step too many";
  EXPECT_TRUE(budget.Take(10, 0)) << "a refused transition takes nothing";
  EXPECT_FALSE(budget.Take(1, 0));
  budget.Refill();
  EXPECT_TRUE(budget.Take(kSteps, 0));

  budget.Refill();
  EXPECT_TRUE(budget.Take(100, kPause / 200));  // half the pauses
  EXPECT_TRUE(budget.Take(100, kPause / 200));
  EXPECT_FALSE(budget.Take(1, 1));
  EXPECT_TRUE(budget.Take(1, -1000)) << "a negative pause waits nothing";
}

TEST(TransitionBudget, AbsurdValuesNeverOverflowIntoAYes) {
  TransitionBudget budget;
  EXPECT_FALSE(budget.Take(INT32_MAX, 0));
  EXPECT_FALSE(budget.Take(1, INT32_MAX)) << "a single pause of 24 days";
  EXPECT_FALSE(budget.Take(kSteps, INT32_MAX));
  EXPECT_FALSE(budget.Take(INT64_MAX, INT64_MAX));
  EXPECT_TRUE(budget.Take(0, INT64_MAX)) << "no steps cost nothing";
  EXPECT_TRUE(budget.Take(-5, 10));
  EXPECT_TRUE(budget.Take(kSteps, 0));
}

TPrz Wipe(int32_t steps, int32_t delay) {
  TPrz t;
  t.Kind = 1;
  t.Steps = steps;
  t.DelayMs = delay;
  return t;
}

TEST(TransitionBudgetOnThePage, TheLongestSingleTransitionStillAnimatesAlone) {
  const Bitmap picture(16, 16, kNew);
  TPrz mosaic = Wipe(300, 0);
  mosaic.Kind = 5;
  for (const TPrz& t : {Wipe(100000, 0), mosaic}) {
    FakeDrawingContext display(16, 16, kOld);
    display.transitions = {t};
    TRender render(display, 0, {0, 0, 16, 16}, std::nullopt, &picture, nullptr);
    EXPECT_EQ(render.TotalSteps(), kSteps) << "a mosaic of 64 x 64 blocks at most";
    ASSERT_TRUE(render.Execute());
    EXPECT_EQ(display.sleeps.size(), size_t(kSteps));
  }
}

TEST(TransitionBudgetOnThePage, TransitionsPastTheBudgetAreDrawnAtOnce) {
  FakeDrawingContext display(40, 30, kOld, kOld);
  display.transitions = {Wipe(4096, 0), Wipe(3, 2)};
  const Bitmap picture(40, 30, kNew);
  TRender first(display, 0, {0, 0, 40, 30}, std::nullopt, &picture, nullptr);
  TRender second(display, 0, {0, 0, 40, 30}, std::nullopt, &picture, nullptr);
  TRender small(display, 1, {0, 0, 20, 10}, std::nullopt, &picture, nullptr);

  ASSERT_TRUE(first.Execute());
  EXPECT_EQ(display.sleeps.size(), 4096u);
  display.sleeps.clear();
  display.window.Fill(kOld);
  display.back_buffer.Fill(kOld);
  ASSERT_TRUE(second.Execute());
  EXPECT_TRUE(display.sleeps.empty()) << "no pause once the steps are spent";
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kNew)) << "but the whole picture";
  EXPECT_TRUE(AllIn(display.back_buffer, display.back_buffer.Bounds(), kNew));
  ASSERT_TRUE(small.Execute());
  EXPECT_TRUE(display.sleeps.empty());

  display.budget.Refill();  // the next page, or the next event
  ASSERT_TRUE(small.Execute());
  EXPECT_EQ(display.sleeps, (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(display.asked.size(), 4u);
  EXPECT_EQ(display.asked[0], std::make_pair(4096, 0));
}

TEST(TransitionBudgetOnThePage, OnlyAnimatedRunsAsk) {
  FakeDrawingContext display(20, 20, kOld);
  display.transitions = {Wipe(5, 1), {"none", 0, 1000, 500}};
  const Bitmap picture(20, 20, kNew);
  TRender none(display, 1, {0, 0, 20, 20}, std::nullopt, &picture, nullptr);
  TRender outside(display, 7, {0, 0, 20, 20}, std::nullopt, &picture, nullptr);
  ASSERT_TRUE(none.Execute());
  ASSERT_TRUE(outside.Execute());
  display.back_buffer_current = true;
  TRender composed(display, 0, {0, 0, 20, 20}, std::nullopt, &picture, nullptr);
  ASSERT_TRUE(composed.Execute());
  EXPECT_TRUE(display.asked.empty()) << "drawing at once costs no steps";
}

}  // namespace
}  // namespace velmorant
