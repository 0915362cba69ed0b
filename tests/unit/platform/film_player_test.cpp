// The window's film player on the virtual clock: the picture due at each moment drawn in the
// display rectangle, the end notified once and only for a play that reached it, pause shifting
// the end, and a file that cannot be opened doing nothing at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/film/decoded_film_player.hpp"
#include "platform/film/sync_frame_source.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/film_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

uint32_t FrameColour(int f) {
  return 0x200000u * uint32_t(f + 1) + 0x10u;
}

class FilmPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant_play_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
    film_ = (dir_ / "f.avi").string();
    // Five pictures of 100 ms.
    ASSERT_TRUE(fixtures::WriteAvi(film_, 8, 8, 10, 5, fixtures::FilmCodec::kRaw,
                                   [](int f, int, int) { return FrameColour(f); }));
    window_->SetBounds({0, 0, 40, 30});
    player_.SetOnNotify([this] { ++ends_; });
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the loop until `ms` on the virtual clock, timers at their own times.
  void RunUntil(int64_t ms) {
    EventLoop& loop = backend_.Loop();
    for (;;) {
      loop.ProcessMessages();
      const int64_t due = loop.NextTimerDue();
      if (due > ms) break;
      backend_.Virtual().AdvanceTo(due);
    }
    backend_.Virtual().AdvanceTo(ms);
    loop.ProcessMessages();
  }
  Pixel At(int32_t x, int32_t y) const { return window_->Surface().At(x, y); }

  HeadlessBackend backend_{HeadlessOptions{}};
  std::unique_ptr<Window> window_ = backend_.CreateWindow("w");
  DecodedFilmPlayer player_{backend_.Log(), backend_.Loop(), *window_,
                            std::make_unique<SyncFrameSource>()};
  fs::path dir_;
  std::string film_;
  int ends_ = 0;
};

TEST_F(FilmPlayback, PicturesFollowTheClockAndTheEndNotifiesOnce) {
  player_.SetFileName(film_);
  ASSERT_TRUE(player_.Open());
  player_.SetDisplayRect({10, 5, 26, 13});  // twice the film's width, its own height
  player_.Play(0);
  EXPECT_EQ(player_.Mode(), FilmMode::kPlaying);
  EXPECT_EQ(At(10, 5), FrameColour(0));
  EXPECT_EQ(At(25, 12), FrameColour(0));
  EXPECT_EQ(At(26, 12), 0u);  // outside the rectangle
  RunUntil(250);
  EXPECT_EQ(At(10, 5), FrameColour(2));
  RunUntil(499);
  EXPECT_EQ(At(10, 5), FrameColour(4));
  EXPECT_EQ(ends_, 0);
  RunUntil(500);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(player_.Mode(), FilmMode::kStopped);
  EXPECT_EQ(At(10, 5), FrameColour(4));  // the last picture stays
  RunUntil(2000);
  EXPECT_EQ(ends_, 1);
}

TEST_F(FilmPlayback, PauseShiftsTheEndAndStopNeverEnds) {
  player_.SetFileName(film_);
  ASSERT_TRUE(player_.Open());
  player_.SetDisplayRect({0, 0, 8, 8});
  player_.Play(0);
  RunUntil(150);
  player_.Pause();
  EXPECT_EQ(player_.Mode(), FilmMode::kPaused);
  RunUntil(1150);
  EXPECT_EQ(At(0, 0), FrameColour(1));
  EXPECT_EQ(ends_, 0);
  player_.Resume();
  RunUntil(1499);
  EXPECT_EQ(ends_, 0);
  RunUntil(1500);
  EXPECT_EQ(ends_, 1);

  player_.Play(0);
  RunUntil(1700);
  player_.Stop();
  EXPECT_EQ(player_.Mode(), FilmMode::kStopped);
  RunUntil(5000);
  EXPECT_EQ(ends_, 1);
  EXPECT_EQ(At(0, 0), FrameColour(2));
  player_.Close();
  EXPECT_EQ(player_.Mode(), FilmMode::kNotReady);
}

TEST_F(FilmPlayback, AFileThatCannotBeOpenedShowsNothingAndNeverEnds) {
  player_.SetFileName((dir_ / "missing.avi").string());
  EXPECT_FALSE(player_.Open());
  EXPECT_EQ(player_.Mode(), FilmMode::kNotReady);
  player_.SetDisplayRect({0, 0, 8, 8});
  player_.Play(0);
  player_.Pause();
  player_.Resume();
  RunUntil(5000);
  EXPECT_EQ(ends_, 0);
  EXPECT_EQ(player_.Mode(), FilmMode::kNotReady);
  EXPECT_EQ(At(0, 0), 0u);
}

TEST_F(FilmPlayback, AnEmptyRectangleShowsTheFilmInItsOwnSize) {
  player_.SetFileName(film_);
  ASSERT_TRUE(player_.Open());
  player_.SetDisplayRect({4, 4, 4, 4});
  player_.Play(0);
  EXPECT_EQ(At(4, 4), FrameColour(0));
  EXPECT_EQ(At(11, 11), FrameColour(0));
  EXPECT_EQ(At(12, 12), 0u);
}

TEST_F(FilmPlayback, AnAbsurdRectangleIsStretchedWithoutAPictureOfItsSize) {
  player_.SetFileName(film_);
  ASSERT_TRUE(player_.Open());
  player_.SetDisplayRect({-2000000, -2000000, 2000000, 2000000});
  player_.Play(0);
  EXPECT_EQ(At(0, 0), FrameColour(0));
  EXPECT_EQ(At(39, 29), FrameColour(0));
}

}  // namespace
}  // namespace velmorant::platform
