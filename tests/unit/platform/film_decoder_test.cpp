// Films read with FFmpeg: the real length from the file, pictures at their times in the size of
// their rectangle, and every AVI of the shared corpus played or refused without harm.
#include "platform/film/film_decoder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "support/film_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

// Frame f of the test film: the left half a colour of its own, the right half white.
uint32_t FrameColour(int f) {
  return 0x100000u * uint32_t(f + 1) + 0x20u;
}

class FilmFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant_film_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
    film_ = (dir_ / "bands.avi").string();
    ASSERT_TRUE(
        fixtures::WriteAvi(film_, 16, 8, 10, 6, fixtures::FilmCodec::kRaw,
                           [](int f, int x, int) { return x < 8 ? FrameColour(f) : 0xFFFFFFu; }));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string film_;
};

TEST_F(FilmFiles, PicturesComeAtTheirTimesInTheAskedSize) {
  auto decoder = FilmDecoder::Open(film_);
  ASSERT_TRUE(decoder);
  EXPECT_EQ(decoder->DurationMs(), 600);
  EXPECT_EQ(decoder->NativeSize(), (Size{16, 8}));
  EXPECT_FALSE(decoder->HasSound());
  decoder->SetPictureSize({32, 4});
  for (int f = 0; f < 6; ++f) {
    auto item = decoder->Next();
    ASSERT_TRUE(item) << f;
    const auto& picture = std::get<FilmPicture>(*item);
    EXPECT_EQ(picture.start_ms, f * 100);
    ASSERT_EQ(picture.picture.GetSize(), (Size{32, 4}));
    EXPECT_EQ(picture.picture.At(0, 0), FrameColour(f)) << f;
    EXPECT_EQ(picture.picture.At(15, 3), FrameColour(f)) << f;
    EXPECT_EQ(picture.picture.At(16, 0), 0xFFFFFFu) << f;
  }
  EXPECT_FALSE(decoder->Next());
  // Back at the start, the first picture comes again.
  ASSERT_TRUE(decoder->Rewind());
  auto again = decoder->Next();
  ASSERT_TRUE(again);
  EXPECT_EQ(std::get<FilmPicture>(*again).picture.At(0, 0), FrameColour(0));
}

TEST_F(FilmFiles, CompressedFilmsPlayWithTheirSoundTrackAbsent) {
  const std::string mjpeg = (dir_ / "m.avi").string();
  const std::string mpeg4 = (dir_ / "p.avi").string();
  auto grey = [](int f, int x, int y) { return uint32_t(((x + y + f) % 8) * 0x202020); };
  ASSERT_TRUE(fixtures::WriteAvi(mjpeg, 64, 48, 25, 10, fixtures::FilmCodec::kMjpeg, grey));
  ASSERT_TRUE(fixtures::WriteAvi(mpeg4, 64, 48, 25, 10, fixtures::FilmCodec::kMpeg4, grey));
  for (const std::string& path : {mjpeg, mpeg4}) {
    auto decoder = FilmDecoder::Open(path, SoundFormat{});
    ASSERT_TRUE(decoder) << path;
    EXPECT_EQ(decoder->DurationMs(), 400) << path;
    int pictures = 0;
    while (auto item = decoder->Next()) pictures += std::holds_alternative<FilmPicture>(*item);
    EXPECT_EQ(pictures, 10) << path;
  }
}

TEST_F(FilmFiles, WhatIsNoFilmIsRefused) {
  std::ofstream(dir_ / "text.avi") << "RIFF....AVI LIST not really";
  EXPECT_FALSE(FilmDecoder::Open((dir_ / "text.avi").string()));
  EXPECT_FALSE(FilmDecoder::Open((dir_ / "missing.avi").string()));
  EXPECT_FALSE(FilmDecoder::Open(""));
  // A wave file has sound but no pictures.
  std::ofstream wav(dir_ / "sound.avi", std::ios::binary);
  const char header[] =
      "RIFF$\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\0\0\0\0";
  wav.write(header, sizeof header - 1);
  wav.close();
  EXPECT_FALSE(FilmDecoder::Open((dir_ / "sound.avi").string()));
}

TEST_F(FilmFiles, AFileThatNamesOtherFilesIsRefused) {
  // A playlist that points at a film elsewhere must not make the player read that film.
  std::ofstream(dir_ / "list.avi") << "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\n"
                                   << film_ << "\n#EXT-X-ENDLIST\n";
  std::ofstream(dir_ / "concat.avi") << "ffconcat version 1.0\nfile '" << film_ << "'\n";
  EXPECT_FALSE(FilmDecoder::Open((dir_ / "list.avi").string()));
  EXPECT_FALSE(FilmDecoder::Open((dir_ / "concat.avi").string()));
}

const fs::path kCorpus = fs::path(VELMORANT_CORPORA_DIR) / "avi";

// Lengths the files really have, where their headers say otherwise or they are worth pinning.
const std::map<std::string, int64_t> kKnownLengths = {
    {"androidx_sample-with-large-length.avi", 1967},  // the header claims more pictures
    {"mintvid_test_mjpeg.avi", 2000},
    {"nwb_stub_mjpeg.avi", 300},
    {"small_AudioVideoInterleave.avi", 0},
};

TEST(FilmCorpus, EveryFilePlaysToItsEndOrIsRefused) {
  if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  int opened = 0;
  for (const auto& entry : fs::directory_iterator(kCorpus)) {
    const std::string name = entry.path().filename().string();
    auto decoder = FilmDecoder::Open(entry.path().string(), SoundFormat{});
    if (auto it = kKnownLengths.find(name); it != kKnownLengths.end()) {
      ASSERT_TRUE(decoder) << name;
      EXPECT_NEAR(decoder->DurationMs(), it->second, 1) << name;
    }
    if (!decoder) continue;
    ++opened;
    decoder->SetPictureSize({40, 30});
    int64_t last = -1;
    int items = 0;
    while (auto item = decoder->Next()) {
      ASSERT_LT(++items, 100000) << name << " never ends";
      if (auto* p = std::get_if<FilmPicture>(&*item)) {
        EXPECT_GE(p->start_ms, 0) << name;
        last = std::max(last, p->start_ms);
      }
    }
    // Reordered pictures may carry a guessed time one picture late; the film still ends on time.
    EXPECT_LE(last, decoder->DurationMs() + 100) << name;
  }
  EXPECT_GT(opened, 25);
}

}  // namespace
}  // namespace velmorant::platform
