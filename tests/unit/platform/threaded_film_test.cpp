// The desktop's film source: pictures decoded ahead on a worker thread come out in order at their
// times, closing mid-film stops the worker, and a film's sound reaches the mixer.
#include "platform/film/threaded_frame_source.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <thread>

#include "support/film_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

// Waits for the worker, not for time: the limit only stops a hang.
template <class Ready>
bool Eventually(Ready ready) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < give_up) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

class ThreadedFilm : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant_threaded_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
    film_ = (dir_ / "f.avi").string();
    ASSERT_TRUE(fixtures::WriteAvi(film_, 8, 8, 10, 20, fixtures::FilmCodec::kRaw,
                                   [](int f, int, int) { return uint32_t(f) * 0x0A0B0Cu; }));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string film_;
};

TEST_F(ThreadedFilm, PicturesComeInOrderAtTheirTimes) {
  ThreadedFrameSource source(nullptr);
  ASSERT_TRUE(source.Open(film_));
  EXPECT_EQ(source.DurationMs(), 2000);
  source.SetPictureSize({4, 4});
  source.Start(0);
  for (int f = 0; f < 20; ++f) {
    const int64_t at = f * 100 + 50;
    ASSERT_TRUE(Eventually([&] {
      const FilmPicture* p = source.PictureAt(at);
      return p && p->start_ms == f * 100;
    })) << f;
    EXPECT_EQ(source.PictureAt(at)->picture.At(3, 3), uint32_t(f) * 0x0A0B0Cu) << f;
  }
  EXPECT_TRUE(Eventually(
      [&] { return source.NextPictureAfter(2000) == std::numeric_limits<int64_t>::max(); }));
  // A new play starts from the first picture again.
  source.Start(0);
  ASSERT_TRUE(Eventually([&] { return source.PictureAt(0) != nullptr; }));
  EXPECT_EQ(source.PictureAt(0)->start_ms, 0);
}

TEST_F(ThreadedFilm, ClosingWhileTheWorkerWaitsEndsIt) {
  ThreadedFrameSource source(nullptr);
  ASSERT_TRUE(source.Open(film_));
  source.SetPictureSize({8, 8});
  source.Start(0);
  // Nobody takes pictures: the worker fills its queue and waits until it is told to stop.
  ASSERT_TRUE(Eventually([&] { return source.NextPictureAfter(0) == 0; }));
  source.Close();
  EXPECT_EQ(source.PictureAt(5000), nullptr);
  EXPECT_EQ(source.NextPictureAfter(0), std::numeric_limits<int64_t>::max());
}

TEST_F(ThreadedFilm, AFilmsSoundGoesThroughTheMixer) {
  const fs::path corpus = fs::path(VELMORANT_CORPORA_DIR) / "avi" / "generated_raw_bgr24_pcm16.avi";
  if (!fs::exists(corpus)) GTEST_SKIP() << "no corpus film with sound";
  const fs::path output = dir_ / "out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  auto mixer = Mixer::Open();
  if (!mixer) GTEST_SKIP() << "no disk audio driver";
  ThreadedFrameSource source(mixer.get());
  ASSERT_TRUE(source.Open(corpus.string()));
  source.SetPictureSize({16, 12});
  source.Start(0);
  const bool sounded = Eventually([&] {
    std::ifstream in(output, std::ios::binary);
    std::string data(1 << 18, '\0');
    in.read(data.data(), std::streamsize(data.size()));
    for (std::streamsize i = 0; i + 1 < in.gcount(); i += 2) {
      if (data[size_t(i)] != 0 || data[size_t(i) + 1] != 0) return true;
    }
    return false;
  });
  EXPECT_TRUE(sounded);
  source.Close();
}

}  // namespace
}  // namespace velmorant::platform
