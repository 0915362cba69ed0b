// A film's sound through the page's output, on a fake output: it follows the pictures' start,
// pause, resume and close, and the pictures follow it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/film/frame_sources.hpp"
#include "platform/record/video_file.hpp"
#include "platform/web/web_film_sound.hpp"
#include "support/test_files.hpp"
#include "unit/web/fake_audio.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using testing::FakeAudio;

class WebFilm : public ::testing::Test {
 protected:
  // A second of film, ten pictures a second, with a tone all through.
  void SetUp() override {
    film_ = velmorant::testing::FreshTestFolder("velmorant_web_film_") / "film.mp4";
    std::string error;
    auto file = VideoFile::Create(film_, {{16, 16}, 10, SoundFormat{}}, &error);
    ASSERT_TRUE(file) << error;
    for (int i = 0; i < 10; ++i) file->AddPicture(Bitmap(16, 16, 0x808080));
    file->AddSound(std::vector<int16_t>(44100 * 2, 12000));
    ASSERT_TRUE(file->Finish(&error)) << error;
    ASSERT_TRUE(source_.Open(film_.string()));
    source_.SetPictureSize({16, 12});
  }
  void At(int64_t ms) {
    clock_.AdvanceTo(ms);
    audio_.now = ms;
  }
  int Voice() const { return audio_.voices.empty() ? 0 : audio_.voices.begin()->first; }

  fs::path film_;
  VirtualClock clock_;
  EventLog log_{clock_};
  FakeAudio audio_;
  MemoryBudget budget_;
  WebFilmSound source_{MakeSyncFrameSource(), audio_, log_, clock_, &budget_};
};

TEST_F(WebFilm, ItsSoundStartsPausesResumesAndStopsWithThePictures) {
  source_.Start(200);
  ASSERT_NE(Voice(), 0);
  EXPECT_EQ(audio_.PositionMs(Voice()), 200);
  EXPECT_GT(budget_.Used(), 0u);
  At(100);
  source_.Pause();
  At(1000);
  EXPECT_EQ(audio_.PositionMs(Voice()), 300);
  source_.Resume();
  At(1100);
  EXPECT_EQ(audio_.PositionMs(Voice()), 400);
  // A play from elsewhere replaces the sound; closing silences it and lets its memory go.
  source_.Start(0);
  EXPECT_EQ(audio_.voices.size(), 1u);
  EXPECT_EQ(audio_.PositionMs(Voice()), 0);
  source_.Close();
  EXPECT_TRUE(audio_.voices.empty());
  EXPECT_EQ(budget_.Used(), 0u);
}

TEST_F(WebFilm, PicturesFollowTheSoundsClock) {
  source_.Start(0);
  // The output runs ahead of the page's timers: the picture is the one the sound is at.
  audio_.now = 500;
  const FilmPicture* picture = source_.PictureAt(100);
  ASSERT_NE(picture, nullptr);
  EXPECT_GT(picture->start_ms, 400);
  EXPECT_LE(picture->start_ms, 500);
}

TEST_F(WebFilm, ASoundBeforeTheFirstGestureStartsWhereTheFilmIs) {
  audio_.running = false;
  source_.Start(0);
  At(700);
  EXPECT_NE(source_.PictureAt(700), nullptr);
  EXPECT_TRUE(audio_.voices.empty());
  audio_.running = true;
  ::testing::internal::CaptureStderr();
  source_.PictureAt(700);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("700 ms in"), std::string::npos);
  EXPECT_EQ(audio_.PositionMs(Voice()), 700);
}

TEST_F(WebFilm, ASoundPastTheBudgetIsNotPlayedAndSaysSo) {
  budget_.SetLimit(1 << 16);
  ::testing::internal::CaptureStderr();
  source_.Start(0);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("memory budget"), std::string::npos);
  EXPECT_TRUE(audio_.voices.empty());
  EXPECT_EQ(budget_.Used(), 0u);
  EXPECT_NE(source_.PictureAt(100), nullptr);  // the pictures play on
}

}  // namespace
}  // namespace velmorant::platform
