// Frame animations: the exact frame timings on the window's timers, loops and halts, scaling,
// masks and per-frame transitions, and the buttons and timer that play and stop them.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "unit/engine/element_page.hpp"

namespace velmorant {
namespace {

using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::ElementPage;

constexpr Pixel kRed = 0xE00000;
constexpr Pixel kGreen = 0x00E000;
constexpr Pixel kBlue = 0x0000E0;
constexpr Rect kRect{16, 12, 24, 20};  // X 25, Y 25 of 64 x 48, frame 0's own 8 x 8

class Animations : public ::testing::Test {
 protected:
  // Three 8 x 8 frames, one colour each, lasting 100, 200 and 300 ms, in a loop.
  Animations() {
    page_.Picture("red", 8, 8, kRed);
    page_.Picture("green", 8, 8, kGreen);
    page_.Picture("blue", 8, 8, kBlue);
    TAni animation;
    animation.X = animation.Y = 25;
    for (const auto& [file, duration] :
         {std::pair{"red", 100}, std::pair{"green", 200}, std::pair{"blue", 300}}) {
      TKlt frame;
      frame.FileName = file;
      frame.Duration = duration;
      animation.Frames.push_back(frame);
    }
    definition_.TAnimacje = {animation};
    definition_.TEkrany[0].Animations = {0};
  }
  TAni& Animation() { return definition_.TAnimacje[0]; }
  // Map 0 with a play and a stop button.
  void AddButtons() {
    definition_.TMapy = {page_.Buttons(2)};
    Animation().MapIndex = 0;
    Animation().PlayRegion = 0;
    Animation().StopRegion = 1;
  }
  void Open() {
    page_.Load(definition_);
    page_.Open();
  }
  // The colour the animation shows, 0 for the bare background.
  Pixel Shown() const {
    if (page_.GroundIn(kRect)) return 0;
    const Pixel p = page_.Window().At(kRect.left, kRect.top);
    return AllIn(page_.Window(), kRect, p) ? p : 1;
  }
  // What the animation shows at each of the moments, in milliseconds after Start.
  std::vector<Pixel> At(std::initializer_list<int64_t> moments) {
    std::vector<Pixel> out;
    for (int64_t t : moments) {
      page_.WaitUntil(t);
      out.push_back(Shown());
    }
    return out;
  }

  Definition definition_ = ElementPage::OnePage();
  ElementPage page_;
};

using Shows = std::vector<Pixel>;

TEST_F(Animations, FirstFrameAtTheSmallestTimerIntervalThenEachAfterTheDurationOfTheOneBefore) {
  Open();
  EXPECT_EQ(At({9, 10, 109, 110, 309, 310, 609, 610, 709, 710}),
            (Shows{0, kRed, kRed, kGreen, kGreen, kBlue, kBlue, kRed, kRed, kGreen}));
}

TEST_F(Animations, WithoutALoopTheLastFrameStaysAndTheTicksEnd) {
  Animation().Loop = 0;
  Open();
  EXPECT_EQ(At({310, 5000}), (Shows{kBlue, kBlue}));
  EXPECT_TRUE(page_.TimersIdle());
}

TEST_F(Animations, ShortDurationsRunAtTheSmallestInterval) {
  Animation().Frames[0].Duration = 3;
  Animation().Frames[1].Duration = 10;
  Open();
  EXPECT_EQ(At({10, 19, 20, 29, 30}), (Shows{kRed, kRed, kGreen, kGreen, kBlue}));
}

TEST_F(Animations, AFrameWithoutDurationHaltsAndPlayGoesOnFromTheNextFrame) {
  AddButtons();
  Animation().Frames[1].Duration = 0;
  Open();
  EXPECT_EQ(At({110, 2000}), (Shows{kGreen, kGreen}));
  page_.Click(0, 0);
  EXPECT_EQ(At({2009, 2010}), (Shows{kGreen, kBlue}));
  // Stopping puts back what was there before the animation first came up.
  page_.Click(0, 1);
  EXPECT_TRUE(page_.GroundIn({0, 2, 64, 48}));
}

TEST_F(Animations, StopRewindsAndRestoresAndPlayStartsAgainFromTheFirstFrame) {
  AddButtons();
  definition_.TRamki = {TRam{"ring", 2, 0x00FF00, 1, ""}};
  Animation().FrameIndex = 0;
  Open();
  page_.WaitUntil(150);
  page_.Click(0, 1);
  EXPECT_TRUE(page_.GroundIn({0, 2, 64, 48}));
  EXPECT_EQ(At({1000}), (Shows{0}));
  page_.Click(0, 0);
  EXPECT_EQ(At({1009, 1010, 1110}), (Shows{0, kRed, kGreen}));
  EXPECT_EQ(page_.host.window.close_requests, 0);
}

TEST_F(Animations, PlayAfterARunWithoutALoopStartsOverAndStopStillRestores) {
  AddButtons();
  Animation().Loop = 0;
  Open();
  page_.WaitUntil(1000);
  page_.Click(0, 0);
  EXPECT_EQ(At({1010, 1110}), (Shows{kRed, kGreen}));
  page_.Click(0, 1);
  EXPECT_TRUE(page_.GroundIn({0, 2, 64, 48}));
}

TEST_F(Animations, DelayedStartAndStopAfterATime) {
  Animation().AutoStart = 0;
  Animation().StartDelay = 500;
  Animation().StopAfter = 1000;
  Open();
  EXPECT_EQ(At({509, 510, 1499}), (Shows{0, kRed, kBlue}));
  page_.WaitUntil(1500);
  EXPECT_TRUE(page_.GroundEverywhere());
  EXPECT_TRUE(page_.TimersIdle());
}

TEST_F(Animations, FramesAreScaledAndPlacedByTheFirstFramesNaturalSize) {
  // 50 % of 64 is 32 pixels for frame 0's 8: every horizontal offset and size four times as
  // large; the height keeps frame 0's own.
  Animation().Width = 50;
  Animation().Height = 0;
  Animation().Frames[1].X = 4;
  Animation().Frames[1].Width = 2;
  Animation().Frames[1].Height = 20;  // cut to the animation's own 8
  Open();
  page_.WaitUntil(10);
  EXPECT_TRUE(AllIn(page_.Window(), {16, 12, 48, 20}, kRed));
  page_.WaitUntil(110);
  EXPECT_TRUE(AllIn(page_.Window(), {16, 12, 32, 20}, kRed));
  EXPECT_TRUE(AllIn(page_.Window(), {32, 12, 40, 20}, kGreen));
  EXPECT_TRUE(AllIn(page_.Window(), {40, 12, 48, 20}, kRed));
  EXPECT_TRUE(page_.GroundIn({0, 20, 64, 48}));
}

TEST_F(Animations, AShrunkAnimationShowsWholeFrames) {
  page_.Picture("red", 32, 32, kRed);
  Animation().Width = Animation().Height = 25;  // 16 x 12 for 32 x 32
  Open();
  page_.WaitUntil(10);
  EXPECT_TRUE(AllIn(page_.Window(), {16, 12, 32, 24}, kRed));
}

TEST_F(Animations, AMaskCutsAFrameOutAndAMissingMaskLeavesItOpaque) {
  Animation().Frames[0].UseMask = 1;
  Animation().Frames[1].UseMask = 1;
  platform::Bitmap mask(8, 8, 0xFFFFFF);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 8; ++x) mask.Set(x, y, 0);
  }
  page_.host.assets.masks.emplace("red", mask);
  Open();
  page_.WaitUntil(10);
  EXPECT_TRUE(AllIn(page_.Window(), {16, 12, 24, 16}, kRed));
  EXPECT_TRUE(page_.GroundIn({16, 16, 24, 20}));
  page_.WaitUntil(110);
  EXPECT_EQ(Shown(), kGreen);
}

TEST_F(Animations, AFramesOwnTransitionRunsWhenItIsDrawnAndItsDurationCountsFromTheEnd) {
  definition_.TPrzeniki = {TPrz{"wipe", 3, 7, 4}};
  Animation().Frames[1].TransitionIndex = 0;
  Open();
  page_.WaitUntil(110);
  EXPECT_EQ(page_.SinceStart(), 138);  // four wipe steps of 7 ms
  EXPECT_EQ(Shown(), kGreen);
  EXPECT_EQ(At({337, 338}), (Shows{kGreen, kBlue}));
}

TEST_F(Animations, WithoutAPlayButtonTheMapKeepsItsOwnActions) {
  AddButtons();
  Animation().PlayRegion = -1;
  Open();
  EXPECT_TRUE(page_.host.display.Regions.empty());  // the animation does not bring it up
  // Listed by the screen itself, its stop region still turns the page.
  ElementPage listed;
  definition_.TEkrany[0].Maps = {0};
  listed.Picture("red", 8, 8, kRed);
  listed.Load(definition_);
  listed.Open();
  listed.Wait(10);
  listed.Click(0, 1);
  EXPECT_EQ(listed.host.window.close_requests, 1);
  EXPECT_FALSE(listed.GroundIn(kRect));
}

TEST_F(Animations, WithoutAFirstPictureTheButtonsAreNotTakenOver) {
  AddButtons();
  Animation().Frames[0].FileName = "";
  // Page 1 shows map 0 on its own: its buttons are the map's again.
  TEkr plain;
  plain.Background = 0;
  plain.Maps = {0};
  definition_.TEkrany.push_back(plain);
  TMed second;
  second.Screen = 1;
  definition_.TMedia.push_back(second);
  Open();
  EXPECT_TRUE(page_.TimersIdle());
  EXPECT_TRUE(page_.host.display.Regions.empty());  // nothing to play: the map is not brought up
  page_.Leave();
  page_.Open(1);
  page_.Click(0, 0);
  EXPECT_EQ(page_.host.window.close_requests, 1);
}

}  // namespace
}  // namespace velmorant
