#pragma once

#include <cstdint>
#include <string>

#include "sequence/element_kinds.hpp"
#include "unit/engine/fake_drawing_context.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant::testing {

// The player's own element kinds on the fake host: a page is opened and left through the display
// engine's phases, virtual time passes with its timers, and map buttons are clicked.
class ElementPage {
 public:
  static constexpr int32_t kWidth = 64;
  static constexpr int32_t kHeight = 48;

  ElementPage() { host.kinds = MakeElementKinds(host); }

  // A background that differs at every pixel, so that a restored rectangle shows its exact place.
  static platform::Pixel Ground(int32_t x, int32_t y) {
    return platform::Pixel(0x400000 | (x * 4) << 8 | (y * 5));
  }
  // A screen 0 with that background on page 0; the test adds its elements.
  static Definition OnePage() {
    Definition d;
    d.TTla = {TTlo{"", "ground"}};
    TEkr screen;
    screen.Background = 0;
    d.TEkrany = {screen};
    TMed page;
    page.Screen = 0;
    d.TMedia = {page};
    return d;
  }

  void Load(Definition d) {
    platform::Bitmap ground(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) ground.Set(x, y, Ground(x, y));
    }
    host.assets.pictures.emplace("ground", std::move(ground));
    host.Load(std::move(d));
  }
  void Picture(const std::string& name, int32_t w, int32_t h, platform::Pixel fill) {
    host.assets.pictures.insert_or_assign(name, platform::Bitmap(w, h, fill));
  }
  // A map of `regions` buttons in a 4 x 2 picture in the window's top-left corner; each button
  // leaves the page unless an element takes it over.
  TMap Buttons(int32_t regions) {
    Picture("buttons", 4, 2, 0x101010);
    TMap map;
    map.FileName = "buttons";
    map.X = map.Y = map.Width = map.Height = 0;
    for (int32_t r = 0; r < regions; ++r) {
      TReg region;
      region.Action = {kActionNext, 0};
      map.Regions.push_back(region);
    }
    return map;
  }

  void Open(int32_t page = 0) {
    TDisplay& display = host.display;
    display.CurrentPage = page;
    display.ShowPage();
    display.ComposePage();
    display.StartPage();
    display.ActivatePage();
    started_at_ = Now();
  }
  void Leave() {
    host.display.StopPage();
    host.display.HidePage();
  }

  int64_t Now() { return host.backend.Virtual().NowMs(); }
  // Milliseconds since the page was started.
  int64_t SinceStart() { return Now() - started_at_; }
  // Lets virtual time pass, firing timers in order.
  void Wait(int64_t ms) {
    platform::VirtualClock& clock = host.backend.Virtual();
    platform::EventLoop& loop = host.backend.Loop();
    const int64_t until = clock.NowMs() + ms;
    while (loop.NextTimerDue() <= until) {
      clock.AdvanceTo(loop.NextTimerDue());
      loop.ProcessMessages();
    }
    clock.AdvanceTo(until);
  }
  // Waits until `ms` after the page was started.
  void WaitUntil(int64_t ms) { Wait(ms - SinceStart()); }
  bool TimersIdle() { return host.backend.Loop().NextTimerDue() == INT64_MAX; }

  void Click(int32_t map, int32_t region) { host.kinds.Controls().Click(map, region); }

  const platform::Bitmap& Window() const { return host.window.surface; }
  const platform::Bitmap& BackBuffer() const { return host.display.BackBuffer; }
  // True when the window shows the bare background inside `r`.
  bool GroundIn(const platform::Rect& r) const {
    for (int32_t y = r.top; y < r.bottom; ++y) {
      for (int32_t x = r.left; x < r.right; ++x) {
        if (Window().At(x, y) != Ground(x, y)) return false;
      }
    }
    return true;
  }
  bool GroundEverywhere() const { return GroundIn({0, 0, kWidth, kHeight}); }

  FakeEngineHost host{kWidth, kHeight};

 private:
  int64_t started_at_ = 0;
};

}  // namespace velmorant::testing
