// Films on a page: the end of a film without a play button moves on, other ends and stops never
// do, the start delay, the pause button, the poster or what was covered put back, and films that
// silence the wave sounds.
#include <gtest/gtest.h>

#include "support/film_builder.hpp"
#include "support/wave_builder.hpp"
#include "unit/engine/media_test_host.hpp"

namespace velmorant {
namespace {

using testing::MediaHost;
using Events = std::vector<std::string>;

constexpr platform::Pixel kPicture = 0x3060C0;
constexpr platform::Pixel kPoster = 0x00FF00;

class Films : public ::testing::Test {
 protected:
  void SetUp() override {
    // Four pictures of 100 ms.
    ASSERT_TRUE(fixtures::WriteAvi(media_.dir / "f.avi", 8, 8, 10, 4, fixtures::FilmCodec::kRaw,
                                   [](int, int, int) { return kPicture; }));
    ASSERT_TRUE(fixtures::WriteSquareWave(media_.dir / "a.wav", 8000, 800));
    media_.host.assets.pictures["poster.bmp"] = platform::Bitmap(4, 4, kPoster);
  }

  // A film in the 64 x 48 window at (16, 12), 32 x 24, on page 0; page 1 is empty.
  TFil Film() const {
    TFil f;
    f.FileName = media_.Path("f.avi");
    f.X = 25;
    f.Y = 25;
    f.Width = 50;
    f.Height = 50;
    return f;
  }
  void Load(TFil film, bool with_sound = false) {
    Definition d;
    d.TFilmy.push_back(std::move(film));
    TEkr screen;
    screen.Films = {0};
    if (with_sound) {
      TDzw s;
      s.FileName = media_.Path("a.wav");
      s.Loop = 1;
      d.TDzwieki.push_back(s);
      screen.Sounds = {0};
    }
    d.TEkrany = {screen, TEkr{}};
    d.TMedia = {TMed{.Screen = 0}, TMed{.Screen = 1}};
    TMap map;
    map.Regions.resize(3);
    d.TMapy.push_back(map);
    media_.Load(std::move(d));
  }
  static TFil WithButtons(TFil f) {
    f.MapIndex = 0;
    f.PlayRegion = 0;
    f.PauseRegion = 1;
    f.StopRegion = 2;
    return f;
  }
  int Closes() const { return media_.host.window.close_requests; }
  platform::Pixel At(int32_t x, int32_t y) const { return media_.host.window.surface.At(x, y); }

  MediaHost media_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(Films, TheEndOfAFilmWithoutAPlayButtonMovesToTheNextPage) {
  Load(Film());
  media_.RunUntil(399);
  EXPECT_EQ(Closes(), 0);
  media_.RunUntil(400);
  EXPECT_EQ(Closes(), 1);
  EXPECT_EQ(media_.host.display.PendingAction, (TAkc{kActionNext, 0}));
  EXPECT_EQ(media_.Events(),
            (Events{"film open f.avi", "stop", "film play f.avi", "film end f.avi"}));
}

TEST_F(Films, WithAPlayButtonTheEndLeavesThePageAlone) {
  Load(WithButtons(Film()));
  media_.RunUntil(1000);
  EXPECT_EQ(Closes(), 0);
}

TEST_F(Films, AFileThatCannotBeOpenedShowsNothingAndNeverEnds) {
  TFil f = Film();
  f.FileName = media_.Path("missing.avi");
  f.FrameIndex = 0;
  Load(f);
  media_.RunUntil(5000);
  EXPECT_EQ(Closes(), 0);
  EXPECT_EQ(media_.Events(), (Events{"film open missing.avi"}));
  EXPECT_EQ(At(16, 12), At(15, 11));  // no frame around it either
}

TEST_F(Films, StopAfterPutsThePosterBack) {
  TFil f = Film();
  f.StopAfter = 250;
  f.PosterName = "poster.bmp";
  Load(f);
  media_.RunUntil(249);
  EXPECT_EQ(media_.Events().back(), "film play f.avi");
  media_.RunUntil(250);
  EXPECT_EQ(media_.Events().back(), "film stop f.avi");
  // The poster is not scaled: its 4 x 4 pixels at the top left, white beside them.
  EXPECT_EQ(At(16, 12), kPoster);
  EXPECT_EQ(At(19, 15), kPoster);
  EXPECT_EQ(At(20, 12), platform::kWhite);
  media_.RunUntil(1000);
  EXPECT_EQ(Closes(), 0);  // stopped before its end: nothing ends the page
}

TEST_F(Films, StopWithoutAPosterPutsBackWhatTheFilmCovered) {
  Load(WithButtons(Film()));
  const platform::Pixel under = At(16, 12);
  media_.Click(0, 0);  // play
  media_.RunUntil(50);
  EXPECT_EQ(media_.Events().back(), "film play f.avi");
  media_.Click(0, 2);  // stop
  EXPECT_EQ(media_.Events().back(), "film stop f.avi");
  EXPECT_EQ(At(16, 12), under);
}

TEST_F(Films, TheStartDelayCountsFromStartAndPauseToggles) {
  TFil f = WithButtons(Film());
  f.AutoStart = 0;
  f.StartDelay = 2000;
  Load(f);
  media_.RunUntil(1999);
  EXPECT_TRUE(media_.Events().empty());
  media_.RunUntil(2000);
  EXPECT_EQ(media_.Events().back(), "film play f.avi");
  media_.Click(0, 1);
  EXPECT_EQ(media_.Events().back(), "film pause f.avi");
  media_.Click(0, 1);
  EXPECT_EQ(media_.Events().back(), "film resume f.avi");
}

TEST_F(Films, APauseBetweenTransitionStepsShowsTheFilmsDuePicturesAndNothingElse) {
  // Four pictures of 100 ms, each of its own colour.
  ASSERT_TRUE(fixtures::WriteAvi(media_.dir / "moving.avi", 8, 8, 10, 4, fixtures::FilmCodec::kRaw,
                                 [](int frame, int, int) { return 0x101010 * (frame + 1); }));
  TFil f = Film();
  f.FileName = media_.Path("moving.avi");
  media_.host.film_window->SetBounds({0, 0, 64, 48});
  Load(f);
  const platform::Bitmap& shown = media_.host.film_window->Surface();
  std::vector<platform::Pixel> seen;
  media_.host.window.on_present = [&] { seen.push_back(shown.At(16, 12)); };
  // Another element's effect pausing twice, 150 ms each, on the GUI thread.
  media_.host.display.Sleep(150);
  media_.host.display.Sleep(150);
  EXPECT_EQ(seen, (std::vector<platform::Pixel>{0x101010, 0x202020}));
  EXPECT_EQ(shown.At(16, 12), 0x303030);
  EXPECT_EQ(media_.Events(), (Events{"film open moving.avi", "stop", "film play moving.avi"}));
  // The end is announced by the film's timer, once messages are handled again.
  media_.host.display.Sleep(200);
  EXPECT_EQ(Closes(), 0);
  media_.RunUntil(500);
  EXPECT_EQ(Closes(), 1);
}

TEST_F(Films, ASilencingFilmStopsTheSoundAndClearsTheCurrentOneWhenHidden) {
  Load(Film(), true);
  // Films start before sounds are activated, so this page's own sound plays on.
  EXPECT_EQ(media_.Events(), (Events{"film open f.avi", "stop", "film play f.avi", "play a.wav"}));
  EXPECT_EQ(media_.host.display.CurrentSound, 0);
  media_.GoTo(1);
  EXPECT_EQ(media_.host.display.CurrentSound, -1);
  EXPECT_EQ(media_.Events().back(), "stop");
}

}  // namespace
}  // namespace velmorant
