// The headless backend's windows and recording services.
#include "platform/window/headless_backend.hpp"

#include <gtest/gtest.h>

namespace velmorant::platform {
namespace {

class CountingEvents final : public WindowEvents {
 public:
  void OnMouseMove(int32_t, int32_t) override { ++moves; }
  void OnMouseDown(MouseButton, int32_t, int32_t) override { ++clicks; }
  void OnKeyDown(uint16_t&) override { ++keys; }
  int moves = 0;
  int clicks = 0;
  int keys = 0;
};

TEST(HeadlessBackend, InputWaitingForAWindowThatIsGoneIsDropped) {
  HeadlessOptions options;
  options.script = ParseScript("click 3 4\nkey 13\n").commands;
  HeadlessBackend backend(std::move(options));
  CountingEvents events;
  auto window = backend.CreateWindow("w");
  window->SetEvents(&events);
  window->SetBounds({0, 0, 10, 10});
  window->Show();
  // The script's input is posted for the window, then the window goes away before it is handled.
  ASSERT_TRUE(backend.WaitForInput(1000));
  ASSERT_TRUE(backend.WaitForInput(1000));
  window.reset();
  while (backend.Loop().DispatchOne()) {
  }
  EXPECT_EQ(events.clicks, 0);
  EXPECT_EQ(events.keys, 0);
}

TEST(HeadlessBackend, ServicesRecordTheirRequestsRelativeToThePresentation) {
  HeadlessBackend backend(HeadlessOptions{});
  backend.Log().SetFolder("/shows/demo");
  EXPECT_EQ(backend.Log().RelativePath("/shows/demo/dzwieki/a.wav"), "dzwieki/a.wav");
  EXPECT_EQ(backend.Log().RelativePath("/elsewhere/a.wav"), "/elsewhere/a.wav");
  // A sound that is not there does not play; silencing always succeeds.
  EXPECT_FALSE(backend.Sounds().PlaySound("/shows/demo/dzwieki/none.wav", kSndAsync));
  EXPECT_TRUE(backend.Sounds().PlaySound("", kSndAsync));
  auto window = backend.CreateWindow("w");
  auto film = backend.CreateFilmPlayer(*window);
  film->SetFileName("/shows/demo/filmy/none.avi");
  EXPECT_FALSE(film->Open());
  film->Play(0);
  EXPECT_EQ(film->Mode(), FilmMode::kNotReady);
  // A launch starts nothing and holds a pretend program that runs until it is ended...
  const LaunchRequest web{"open", "http://example.org", "", "", ""};
  const LaunchResult launched = backend.Launcher().Launch(web);
  EXPECT_TRUE(launched.ok);
  ASSERT_NE(launched.process, nullptr);
  EXPECT_EQ(launched.process->ExitCode(), std::nullopt);
  // ...unless launching is off.
  HeadlessOptions no_launch;
  no_launch.no_launch = true;
  HeadlessBackend refusing(std::move(no_launch));
  EXPECT_FALSE(refusing.Launcher().Launch(web).ok);
}

}  // namespace
}  // namespace velmorant::platform
