// Maps on a page driven by the display engine: hover, hint, click and timed hides, including the
// moments when hiding the hint handles a map's hide timer in the middle of a pointer event.
#include <gtest/gtest.h>

#include <functional>

#include "elements/interactive/maps.hpp"
#include "unit/engine/fake_drawing_context.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::FakeEngineHost;

constexpr Pixel kA = 0x0000AA;
constexpr Pixel kB = 0x00BB00;
constexpr Pixel kC = 0xCC0000;
constexpr Pixel kHover = 0xFFFFFF;

TMap Map(const std::string& picture, int32_t x, int32_t hide_after, TAkc action, std::string hint) {
  TMap m;
  m.FileName = picture;
  m.HoverFileName = "hover";
  m.X = x;
  m.Y = 0;
  m.Width = 0;
  m.Height = 0;
  m.HideAfter = hide_after;
  TReg r;
  r.X = 0;
  r.Y = 0;
  r.Width = 10;
  r.Height = 5;
  r.Action = action;
  r.Hint = std::move(hint);
  m.Regions = {r};
  return m;
}

// Three maps side by side on a 100 x 60 window: A at 0 stays; B at 30 and C at 60 hide
// themselves 1500 ms after the page starts, B's timer first. With a show delay they come 100 ms
// after the start and are registered once; without one they are registered at Compose and again
// at Start.
class MapRegions : public ::testing::Test {
 protected:
  void Load(int32_t show_transition = -1, int32_t show_delay = 100) {
    auto maps = std::make_unique<TMapy>(host_);
    host_.kinds.SetControls(*maps);
    host_.kinds.Add(ElementSet::kMaps, std::move(maps));
    host_.assets.pictures = {{"a", Bitmap(20, 10, kA)},
                             {"b", Bitmap(20, 10, kB)},
                             {"c", Bitmap(20, 10, kC)},
                             {"hover", Bitmap(20, 10, kHover)}};
    Definition d;
    const int32_t stay = 1500 - show_delay;
    d.TMapy = {Map("a", 0, 0, {kActionGoTo, 1}, "a"), Map("b", 30, stay, {kActionNext, 0}, "b"),
               Map("c", 60, stay, {kActionEnd, 0}, "c")};
    for (TMap& m : {std::ref(d.TMapy[1]), std::ref(d.TMapy[2])}) {
      m.ShowTransition = show_transition;
      m.ShowDelay = show_delay;
    }
    d.TPrzeniki = {TPrz{"wipe", 1, 0, 4}};
    TEkr screen;
    screen.Maps = {0, 1, 2};
    d.TEkrany = {screen};
    TMed page;
    page.Screen = 0;
    d.TMedia = {page, page};
    host_.Load(std::move(d));
    TDisplay& display = host_.display;
    display.CurrentPage = 0;
    display.ShowPage();
    display.ComposePage();
    display.PaintFromBuffer();
    display.StartPage();
    display.ActivatePage();
    if (show_delay > 0) Wait(show_delay);
  }

  platform::VirtualClock& Clock() { return host_.backend.Virtual(); }
  // Lets time pass and handles what falls due.
  void Wait(int64_t until) {
    Clock().AdvanceTo(until);
    host_.backend.Loop().ProcessMessages();
  }
  // Hovers a point until its hint shows, then lets time reach the maps' hide timers without
  // handling them: the next pointer event meets them while the hint is shown.
  void HoverWithHintUntilTheHidesFallDue(int32_t x, int32_t y) {
    host_.window.last_mouse = {x, y};
    host_.display.PointerMove(x, y);
    Wait(Clock().NowMs() + 1000);
    ASSERT_TRUE(host_.window.hint.Visible());
    Clock().AdvanceTo(1500);
  }
  bool Listed(int32_t map) const {
    for (const TMyszReg& r : host_.display.Regions) {
      if (r.MapIndex == map) return true;
    }
    return false;
  }

  FakeEngineHost host_{100, 60};
};

TEST_F(MapRegions, AClickOnAButtonThatHidesMeanwhileDoesNothing) {
  Load();
  HoverWithHintUntilTheHidesFallDue(65, 2);
  TDisplay& display = host_.display;
  display.ClickRegion(display.HitTest(65, 2));
  EXPECT_FALSE(host_.window.hint.Visible());
  EXPECT_FALSE(Listed(1));
  EXPECT_FALSE(Listed(2));
  EXPECT_TRUE(Listed(0));
  // Neither C's action nor another region's.
  EXPECT_EQ(display.PendingAction, TAkc{});
  EXPECT_EQ(host_.window.close_requests, 0);
}

TEST_F(MapRegions, LeavingAButtonThatHidesMeanwhileDrawsNothingBack) {
  Load();
  HoverWithHintUntilTheHidesFallDue(65, 2);
  const int16_t cursor = host_.display.PointerMove(90, 50);
  EXPECT_EQ(cursor, platform::kCrArrow);
  EXPECT_EQ(host_.display.HoverRegion, -1);
  // C's place shows what was beneath it, not its normal picture drawn back by the leave.
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{60, 0, 80, 10}, 0));
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 10}, 0));
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{0, 0, 20, 10}, kA));
}

TEST_F(MapRegions, MovingOntoAButtonThatHidesMeanwhileHoversNothing) {
  Load();
  HoverWithHintUntilTheHidesFallDue(65, 2);
  // From C's button onto B's: leaving C hides the hint, and B and C go.
  const int16_t cursor = host_.display.PointerMove(35, 2);
  EXPECT_EQ(cursor, platform::kCrArrow);
  EXPECT_EQ(host_.display.HoverRegion, -1);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 10}, 0));
  // A's button still works and hovers.
  EXPECT_EQ(host_.display.PointerMove(5, 2), platform::kCrMultiDrag);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{0, 0, 10, 5}, kHover));
}

TEST_F(MapRegions, RemovingTheHoveredButtonWhileAnotherMapHidesRemovesTheRightEntries) {
  Load();
  // Hovering B's button with its hint shown; B's hide hides the hint, and that hands C's hide
  // its turn before B's entry is erased.
  host_.window.last_mouse = {35, 2};
  host_.display.PointerMove(35, 2);
  Wait(Clock().NowMs() + 1000);
  ASSERT_TRUE(host_.window.hint.Visible());
  Wait(1500);
  EXPECT_FALSE(Listed(1));
  EXPECT_FALSE(Listed(2));
  EXPECT_TRUE(Listed(0));
  EXPECT_EQ(host_.display.HoverRegion, -1);
}

TEST_F(MapRegions, ATimedHideRestoresWhatWasBeneathWithAPlainAppear) {
  Load(-1, 0);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 10}, kB));
  Wait(1500);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 11}, 0));
  EXPECT_TRUE(AllIn(host_.display.BackBuffer, Rect{30, 0, 50, 11}, 0));
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{60, 0, 80, 11}, 0));
}

TEST_F(MapRegions, ATimedHideRestoresWhatWasBeneathWithAnAnimatedAppear) {
  Load(0, 0);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 10}, kB));
  Wait(1500);
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{30, 0, 50, 11}, 0));
  EXPECT_TRUE(AllIn(host_.window.surface, Rect{60, 0, 80, 11}, 0));
}

TEST_F(MapRegions, TheFirstPagePreloadsTheNext) {
  Load();
  host_.assets.warmed.clear();
  host_.display.StartFirstPage();
  EXPECT_EQ(host_.assets.warmed,
            (std::vector<std::string>{"a", "hover", "b", "hover", "c", "hover"}));
}

}  // namespace
}  // namespace velmorant
