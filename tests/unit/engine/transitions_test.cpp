#include "display/transitions.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>

#include "display/render_helpers.hpp"
#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::BoundsOf;
using testing::FakeDrawingContext;

constexpr Pixel kOld = 0x202020;
constexpr Pixel kNew = 0x00C000;

TPrz Transition(int kind, int steps, int delay = 10) {
  TPrz t;
  t.Kind = uint8_t(kind);
  t.Steps = steps;
  t.DelayMs = delay;
  return t;
}

Bitmap Numbered(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel(0x400000 + y * 1024 + x));
  }
  return b;
}

// True when `window` shows `picture` in `rows` of a destination at the origin and kOld elsewhere.
bool ShowsRows(const Bitmap& window, const Bitmap& picture, int32_t from, int32_t to) {
  for (int32_t y = 0; y < window.Height(); ++y) {
    for (int32_t x = 0; x < window.Width(); ++x) {
      const Pixel expected = (y >= from && y < to) ? picture.At(x, y) : kOld;
      if (window.At(x, y) != expected) return false;
    }
  }
  return true;
}

TEST(TransitionWipe, TopToBottomDrawsOneStripPerStep) {
  FakeDrawingContext display(100, 100, kOld);
  display.transitions = {Transition(1, 4, 7)};
  const Bitmap picture = Numbered(100, 100);
  TRender render(display, 0, {0, 0, 100, 100}, std::nullopt, &picture, nullptr);
  ASSERT_TRUE(render.Execute());
  EXPECT_EQ(display.sleeps, (std::vector<int>{7, 7, 7, 7}));
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(ShowsRows(display.presented[size_t(i)], picture, 0, 25 * (i + 1))) << i;
  }
  EXPECT_EQ(display.window, picture);
  EXPECT_EQ(display.back_buffer, picture);
}

TEST(TransitionWipe, BottomToTopStartsAtTheLastStrip) {
  FakeDrawingContext display(100, 100, kOld);
  display.transitions = {Transition(2, 4)};
  const Bitmap picture = Numbered(100, 100);
  TRender render(display, 0, {0, 0, 100, 100}, std::nullopt, &picture, nullptr);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  EXPECT_TRUE(ShowsRows(display.presented[0], picture, 75, 100));
  EXPECT_TRUE(ShowsRows(display.presented[2], picture, 25, 100));
}

TEST(TransitionWipe, OneStepDrawsEverythingAndPausesOnce) {
  FakeDrawingContext display(40, 30, kOld);
  display.transitions = {Transition(1, 1, 50)};
  const Bitmap picture = Numbered(40, 30);
  TRender render(display, 0, {0, 0, 40, 30}, std::nullopt, &picture, nullptr);
  render.Execute();
  EXPECT_EQ(display.sleeps, (std::vector<int>{50}));
  EXPECT_EQ(display.presented[0], picture);
}

TEST(TransitionWipe, VerticalStripsLeftToRightAndBack) {
  FakeDrawingContext display(40, 20, kOld);
  display.transitions = {Transition(3, 4), Transition(4, 4)};
  const Bitmap picture(40, 20, kNew);
  TRender right(display, 0, {0, 0, 40, 20}, std::nullopt, &picture, nullptr);
  right.Execute();
  EXPECT_EQ(BoundsOf(display.presented[0], kNew), (Rect{0, 0, 10, 20}));
  display.window.Fill(kOld);
  TRender left(display, 1, {0, 0, 40, 20}, std::nullopt, &picture, nullptr);
  left.Execute();
  EXPECT_EQ(BoundsOf(display.presented[4], kNew), (Rect{30, 0, 40, 20}));
  EXPECT_EQ(BoundsOf(display.presented[5], kNew), (Rect{20, 0, 40, 20}));
}

TEST(TransitionWipe, LargerPictureIsShrunkDuringStepsAndAtTheEnd) {
  FakeDrawingContext display(50, 50, kOld);
  display.transitions = {Transition(1, 2)};
  // Every 2 x 2 block uniform, so the AND-shrink gives the small numbered picture back.
  const Bitmap small = Numbered(50, 50);
  Bitmap picture(100, 100);
  for (int32_t y = 0; y < 100; ++y) {
    for (int32_t x = 0; x < 100; ++x) picture.Set(x, y, small.At(x / 2, y / 2));
  }
  TRender render(display, 0, {0, 0, 50, 50}, std::nullopt, &picture, nullptr);
  render.Execute();
  EXPECT_TRUE(ShowsRows(display.presented[0], small, 0, 25));
  EXPECT_EQ(display.window, small);
  EXPECT_EQ(display.back_buffer, small);
}

TEST(TransitionMosaic, BlockThreeOfTwoByTwoIsTheLowerRightWithItsOverlap) {
  FakeDrawingContext display(100, 100, kOld);
  display.transitions = {Transition(5, 2)};
  display.randoms = {3};  // picks 3 of {0,1,2,3}, then 0 of {0,1,2}, 2 of {1,2}, then 1
  const Bitmap picture(100, 100, kNew);
  TRender render(display, 0, {0, 0, 100, 100}, std::nullopt, &picture, nullptr);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  EXPECT_EQ(BoundsOf(display.presented[0], kNew), (Rect{50, 50, 100, 100}));
  EXPECT_TRUE(AllIn(display.presented[1], {0, 0, 51, 51}, kNew));
  EXPECT_TRUE(AllIn(display.presented[1], {51, 0, 100, 50}, kOld));
  EXPECT_TRUE(AllIn(display.presented[2], {0, 50, 51, 100}, kNew));
  EXPECT_TRUE(AllIn(display.presented[2], {51, 0, 100, 50}, kOld));
  EXPECT_TRUE(AllIn(display.presented[3], {0, 0, 100, 100}, kNew));
}

TEST(TransitionMosaic, ThreeByThreeDrawsNineBlocksOnceEachWithNinePauses) {
  FakeDrawingContext display(90, 60, kOld);
  display.transitions = {Transition(5, 3, 4)};
  display.randoms = {7, 1, 12, 5, 0, 3, 9, 2, 4};
  const Bitmap picture(90, 60, kNew);
  TRender render(display, 0, {0, 0, 90, 60}, std::nullopt, &picture, nullptr);
  render.Execute();
  EXPECT_EQ(display.sleeps, std::vector<int>(9, 4));
  EXPECT_EQ(display.next_random, 9u);
  // Each step shows exactly one more 30 x 20 block (the one-pixel overlap aside).
  std::vector<bool> seen(9);
  for (size_t step = 0; step < 9; ++step) {
    int newly_complete = 0;
    for (int32_t b = 0; b < 9; ++b) {
      const Rect block{(b % 3) * 30, (b / 3) * 20, (b % 3) * 30 + 30, (b / 3) * 20 + 20};
      if (!seen[size_t(b)] && AllIn(display.presented[step], block, kNew)) {
        seen[size_t(b)] = true;
        ++newly_complete;
      }
    }
    EXPECT_EQ(newly_complete, 1) << step;
  }
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kNew));
}

TEST(TransitionSlide, FromTheLeftEdgeMovesOneQuarterPerStep) {
  FakeDrawingContext display(200, 100, kOld);
  display.transitions = {Transition(6, 4)};
  const Bitmap picture = Numbered(100, 50);
  TRender render(display, 0, {0, 0, 100, 50}, std::nullopt, &picture, nullptr);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t left = -75 + 25 * i;
    const Bitmap& shown = display.presented[size_t(i)];
    bool ok = true;
    for (int32_t y = 0; y < 100 && ok; ++y) {
      for (int32_t x = 0; x < 200 && ok; ++x) {
        const bool inside = y < 50 && x >= left && x < left + 100;
        ok = shown.At(x, y) == (inside ? picture.At(x - left, y) : kOld);
      }
    }
    EXPECT_TRUE(ok) << "step " << i;
  }
}

TEST(TransitionSlide, MaskedPictureSlidesOverTheRestoredBackground) {
  FakeDrawingContext display(200, 100, kOld);
  display.transitions = {Transition(6, 4)};
  Bitmap picture(100, 50, kNew);
  Bitmap mask(100, 50, platform::kBlack);
  platform::Canvas(mask).Whiteness({50, 0, 100, 50});
  PrepareMaskedImage(picture, &mask);
  TRender render(display, 0, {0, 0, 100, 50}, std::nullopt, &picture, &mask);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t left = -75 + 25 * i;
    const Rect shown_part{std::max(left, 0), 0, left + 50, 50};
    EXPECT_EQ(BoundsOf(display.presented[size_t(i)], kNew),
              shown_part.IsEmpty() ? Rect{} : shown_part)
        << i;
  }
  EXPECT_EQ(BoundsOf(display.window, kNew), (Rect{0, 0, 50, 50}));
  EXPECT_EQ(BoundsOf(display.back_buffer, kNew), (Rect{0, 0, 50, 50}));
}

TEST(TransitionSlide, OtherEdgesEndInPlaceWithoutTrails) {
  for (const int kind : {7, 8, 9}) {
    FakeDrawingContext display(120, 90, kOld);
    display.transitions = {Transition(kind, 3)};
    const Bitmap picture(40, 30, kNew);
    const Rect dest{30, 20, 70, 50};
    TRender render(display, 0, dest, std::nullopt, &picture, nullptr);
    render.Execute();
    ASSERT_EQ(display.presented.size(), 3u);
    for (const Bitmap& shown : display.presented) {
      // The picture moves: it never leaves copies of itself behind.
      const Rect r = BoundsOf(shown, kNew);
      EXPECT_LE(r.Width(), dest.Width()) << kind;
      EXPECT_LE(r.Height(), dest.Height()) << kind;
      EXPECT_TRUE(AllIn(shown, r, kNew)) << kind;
    }
    EXPECT_EQ(BoundsOf(display.presented[2], kNew), dest) << kind;
    EXPECT_EQ(BoundsOf(display.window, kNew), dest) << kind;
  }
}

TEST(TransitionZoom, BothDirectionsGrowsFromTheCentre) {
  FakeDrawingContext display(100, 60, kOld);
  display.transitions = {Transition(10, 5)};
  const Bitmap picture(100, 60, kNew);
  TRender render(display, 0, {0, 0, 100, 60}, std::nullopt, &picture, nullptr);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 5u);
  EXPECT_EQ(BoundsOf(display.presented[0], kNew), Rect{});
  for (int32_t i = 1; i < 5; ++i) {
    const Rect expected{50 - 10 * i, 30 - 6 * i, 50 + 10 * i, 30 + 6 * i};
    EXPECT_EQ(BoundsOf(display.presented[size_t(i)], kNew), expected);
    EXPECT_TRUE(AllIn(display.presented[size_t(i)], expected, kNew));
  }
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kNew));
}

TEST(TransitionZoom, OneDirectionKeepsTheOtherExtent) {
  FakeDrawingContext display(100, 60, kOld);
  display.transitions = {Transition(11, 5), Transition(12, 5)};
  const Bitmap picture(100, 60, kNew);
  TRender across(display, 0, {0, 0, 100, 60}, std::nullopt, &picture, nullptr);
  across.Execute();
  EXPECT_EQ(BoundsOf(display.presented[2], kNew), (Rect{30, 0, 70, 60}));
  display.window.Fill(kOld);
  TRender down(display, 1, {0, 0, 100, 60}, std::nullopt, &picture, nullptr);
  down.Execute();
  EXPECT_EQ(BoundsOf(display.presented[7], kNew), (Rect{0, 18, 100, 42}));
}

TEST(TransitionUnknownKind, RunsEmptyStepsThenDrawsTheWhole) {
  for (const int kind : {13, 200}) {
    FakeDrawingContext display(30, 30, kOld);
    display.transitions = {Transition(kind, 3, 5)};
    const Bitmap picture(30, 30, kNew);
    TRender render(display, 0, {0, 0, 30, 30}, std::nullopt, &picture, nullptr);
    render.Execute();
    EXPECT_EQ(display.sleeps, (std::vector<int>{5, 5, 5})) << kind;
    for (const Bitmap& shown : display.presented) {
      EXPECT_TRUE(AllIn(shown, shown.Bounds(), kOld)) << kind;
    }
    EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kNew)) << kind;
  }
}

TEST(TransitionExecute, OnTheBackBufferDrawsAtOnce) {
  FakeDrawingContext display(40, 40, kOld, kOld);
  display.transitions = {Transition(1, 4)};
  display.back_buffer_current = true;
  const Bitmap picture(20, 20, kNew);
  TRender render(display, 0, {10, 10, 30, 30}, std::nullopt, &picture, nullptr);
  EXPECT_TRUE(render.Execute());
  EXPECT_TRUE(display.sleeps.empty());
  EXPECT_EQ(BoundsOf(display.back_buffer, kNew), (Rect{10, 10, 30, 30}));
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kOld));
}

TEST(TransitionExecute, WithoutEffectDrawsTheSourceRectOnWindowAndBackBuffer) {
  FakeDrawingContext display(40, 40, kOld, kOld);
  const Bitmap picture = Numbered(30, 30);
  TRender render(display, -1, {10, 10, 20, 20}, Rect{5, 5, 15, 15}, &picture, nullptr);
  render.Execute();
  EXPECT_TRUE(display.sleeps.empty());
  EXPECT_EQ(display.window.At(10, 10), picture.At(5, 5));
  EXPECT_EQ(display.window.At(19, 19), picture.At(14, 14));
  EXPECT_EQ(display.back_buffer, display.window);
}

TEST(TransitionExecute, MaskedPictureKeepsTheBackgroundUnderTheMask) {
  FakeDrawingContext display(20, 10, kOld);
  display.transitions = {Transition(3, 2)};
  Bitmap picture(20, 10, kNew);
  Bitmap mask(20, 10, platform::kBlack);
  platform::Canvas(mask).Whiteness({0, 0, 20, 5});
  PrepareMaskedImage(picture, &mask);
  TRender render(display, 0, {0, 0, 20, 10}, std::nullopt, &picture, &mask);
  render.Execute();
  EXPECT_EQ(BoundsOf(display.presented[0], kNew), (Rect{0, 5, 10, 10}));
  EXPECT_TRUE(AllIn(display.window, {0, 0, 20, 5}, kOld));
  EXPECT_TRUE(AllIn(display.window, {0, 5, 20, 10}, kNew));
}

TEST(TransitionExecute, NegativeDelayPausesZero) {
  FakeDrawingContext display(10, 10, kOld);
  display.transitions = {Transition(1, 2, -500)};
  const Bitmap picture(10, 10, kNew);
  TRender render(display, 0, {0, 0, 10, 10}, std::nullopt, &picture, nullptr);
  render.Execute();
  EXPECT_EQ(display.sleeps, (std::vector<int>{0, 0}));
}

TEST(TransitionExecute, NestedCallMakesTheRendererImmediateForGood) {
  FakeDrawingContext display(10, 10, kOld);
  display.transitions = {Transition(6, 3)};
  const Bitmap picture(10, 10, kNew);
  TRender render(display, 0, {0, 0, 10, 10}, std::nullopt, &picture, nullptr);
  bool nested_result = false;
  bool nested = false;
  display.on_sleep = [&] {
    if (nested) return;
    nested = true;
    nested_result = render.Execute();
  };
  EXPECT_TRUE(render.Execute());
  EXPECT_TRUE(nested_result);
  EXPECT_EQ(display.sleeps.size(), 3u);
  EXPECT_EQ(render.EffectKind(), 0);
  display.window.Fill(kOld);
  render.Execute();
  EXPECT_EQ(display.sleeps.size(), 3u);
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kNew));
}

TEST(TransitionExecute, NestedCallNeverShowsAnUnfilledWorkPicture) {
  // A slide from the left works over the band from the window's left edge to the destination.
  // A nested call turns the rest of it into steps through the work picture, which the slide never
  // filled: the band must show what the window showed (its old pixels, or the picture where a
  // step had put it), never the work picture's black.
  FakeDrawingContext display(40, 10, kOld);
  display.window = Numbered(40, 10);
  const Bitmap before = display.window;
  display.transitions = {Transition(6, 3)};
  const Bitmap picture(10, 10, kNew);
  TRender render(display, 0, {25, 0, 35, 10}, std::nullopt, &picture, nullptr);
  bool nested = false;
  display.on_sleep = [&] {
    if (nested) return;
    nested = true;
    render.Execute();
  };
  render.Execute();
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const Pixel got = display.window.At(x, y);
      if (x >= 25 && x < 35) {
        ASSERT_EQ(got, kNew) << x << "," << y;
      } else {
        ASSERT_TRUE(got == before.At(x, y) || got == kNew) << x << "," << y << ": " << got;
      }
    }
  }
}

// The work pictures of an effect are charged while the renderer keeps them; refused, the picture
// comes at once, as it ends after the steps.
TEST(TransitionExecute, WorkPicturesAreChargedAndARefusalDrawsAtOnce) {
  for (const int kind : {1, 6}) {  // a wipe works on one picture, a slide on two
    SCOPED_TRACE(kind);
    const Bitmap picture = Numbered(100, 50);
    FakeDrawingContext animated(200, 100, kOld);
    animated.transitions = {Transition(kind, 4)};
    auto render = std::make_unique<TRender>(animated, 0, Rect{0, 0, 100, 50}, std::nullopt,
                                            &picture, nullptr);
    render->Execute();
    EXPECT_EQ(animated.sleeps.size(), 4u);
    EXPECT_EQ(animated.memory.Used(), platform::PictureBytes(100, 50) * (kind == 6 ? 2 : 1));
    render.reset();
    EXPECT_EQ(animated.memory.Used(), 0u);

    FakeDrawingContext refused(200, 100, kOld);
    refused.transitions = animated.transitions;
    refused.memory.SetLimit(platform::PictureBytes(100, 50) - 1);
    TRender at_once(refused, 0, {0, 0, 100, 50}, std::nullopt, &picture, nullptr);
    EXPECT_TRUE(at_once.Execute());
    EXPECT_TRUE(refused.sleeps.empty());
    EXPECT_EQ(refused.window, animated.window);
    EXPECT_EQ(refused.back_buffer, animated.back_buffer);
  }
}

TEST(TransitionConstruction, MissingSourceThrows) {
  FakeDrawingContext display(10, 10);
  EXPECT_THROW(TRender(display, -1, {0, 0, 1, 1}, std::nullopt, nullptr, nullptr),
               std::invalid_argument);
}

TEST(TransitionConstruction, StepsBelowOneCountAsOne) {
  FakeDrawingContext display(10, 10);
  display.transitions = {Transition(1, 0), Transition(5, -3), Transition(5, 4)};
  const Bitmap picture(4, 4);
  EXPECT_EQ(TRender(display, 0, {0, 0, 4, 4}, std::nullopt, &picture, nullptr).TotalSteps(), 1);
  EXPECT_EQ(TRender(display, 1, {0, 0, 4, 4}, std::nullopt, &picture, nullptr).TotalSteps(), 1);
  EXPECT_EQ(TRender(display, 2, {0, 0, 4, 4}, std::nullopt, &picture, nullptr).TotalSteps(), 16);
  EXPECT_EQ(TRender(display, 7, {0, 0, 4, 4}, std::nullopt, &picture, nullptr).EffectKind(), 0);
}

TEST(TransitionAnimates, OnlyExistingTransitionsWithAKind) {
  const std::vector<TPrz> table = {Transition(0, 3), Transition(4, 3), Transition(200, 1)};
  EXPECT_FALSE(TransitionAnimates(table, -1));
  EXPECT_FALSE(TransitionAnimates(table, 0));
  EXPECT_TRUE(TransitionAnimates(table, 1));
  EXPECT_TRUE(TransitionAnimates(table, 2));
  EXPECT_FALSE(TransitionAnimates(table, 3));
}

TEST(TransitionExecute, WildRectanglesNeverFail) {
  const std::vector<Rect> rects = {{50, 50, 10, 10},
                                   {-500, -500, -400, -400},
                                   {5, 5, 5, 5},
                                   {190, 10, 400, 30},
                                   {INT_MIN, 0, INT_MAX, 4},
                                   {0, INT_MIN, 4, INT_MAX},
                                   {INT_MAX - 3, INT_MAX - 3, INT_MAX, INT_MAX}};
  const Bitmap picture(7, 5, kNew);
  for (int kind = 0; kind <= 13; ++kind) {
    for (const Rect& dest : rects) {
      FakeDrawingContext display(64, 48, kOld);
      display.transitions = {Transition(kind, 3, 1)};
      TRender render(display, 0, dest, std::nullopt, &picture, nullptr);
      EXPECT_TRUE(render.Execute()) << kind;
      EXPECT_LE(display.sleeps.size(), 9u);
    }
  }
}

}  // namespace
}  // namespace velmorant
