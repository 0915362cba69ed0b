// velmorant --headless --record: a scripted run becomes a video whose pictures and sound are
// those of the run at their times, and the same run gives the same file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "definition/loader.hpp"
#include "platform/film/film_decoder.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "support/bmp_builder.hpp"
#include "support/run_player.hpp"
#include "support/test_files.hpp"
#include "support/wave_builder.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0xCC2020;
constexpr uint32_t kBlue = 0x2020CC;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// Entry 0: a red page with a looped sound that moves on after a second. Entry 1: a blue page
// whose own sound, the same file once, replaces the loop (which would carry on over a page
// without sounds).
Definition RecordedPresentation() {
  Definition d;
  d.TMedia = {{0, 1000, -1}, {1, 0, -1}};
  TEkr first;
  first.Background = 0;
  first.Sounds = {0};
  TEkr second;
  second.Background = 1;
  second.Sounds = {1};
  d.TEkrany = {first, second};
  d.TTla = {{"", "czerwone.bmp"}, {"", "niebieskie.bmp"}};
  TDzw looped;
  looped.FileName = "ton.wav";
  looped.Loop = 1;
  TDzw once;
  once.FileName = "ton.wav";
  d.TDzwieki = {looped, once};
  return d;
}

struct Decoded {
  std::vector<platform::FilmPicture> pictures;
  std::vector<int16_t> sound;  // the mixer's format, from the start
};

Decoded Decode(const fs::path& file, platform::Size size = {kWidth, kHeight}) {
  Decoded out;
  const platform::SoundFormat format;
  auto decoder = platform::FilmDecoder::Open(file.string(), format);
  if (!decoder) return out;
  decoder->SetPictureSize(size);
  while (auto item = decoder->Next()) {
    if (auto* picture = std::get_if<platform::FilmPicture>(&*item)) {
      out.pictures.push_back(std::move(*picture));
    } else if (auto* block = std::get_if<platform::FilmSamples>(&*item)) {
      const size_t at = size_t(block->start_ms) * size_t(format.rate) / 1000 * 2;
      if (out.sound.size() < at) out.sound.resize(at);
      out.sound.insert(out.sound.end(), block->samples.begin(), block->samples.end());
    }
  }
  return out;
}

// The root mean square of the sound between two times.
double Loudness(const std::vector<int16_t>& sound, int from_ms, int to_ms) {
  const size_t from = size_t(from_ms) * 44100 / 1000 * 2;
  const size_t to = std::min(sound.size(), size_t(to_ms) * 44100 / 1000 * 2);
  if (to <= from) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(sound[i]) * sound[i];
  return std::sqrt(sum / double(to - from));
}

bool Near(platform::Pixel p, uint32_t rgb) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((p >> shift) & 0xFF) - int((rgb >> shift) & 0xFF)) > 12) return false;
  }
  return true;
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class Record : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-record-");
    show_ = work_ / "show";
    script_ = work_ / "script.txt";
    testing::WriteBytes(show_ / "info.med", WriteDefinition(RecordedPresentation(), 'g').bytes);
    testing::WriteBytes(show_ / "tla" / "czerwone.bmp", testing::SolidBmp(kWidth, kHeight, kRed));
    testing::WriteBytes(show_ / "tla" / "niebieskie.bmp",
                        testing::SolidBmp(kWidth, kHeight, kBlue));
    fs::create_directories(show_ / "dzwieki");
    // A quarter of a second, so that the loop has to go round to fill the first page.
    ASSERT_TRUE(fixtures::WriteSquareWave(show_ / "dzwieki" / "ton.wav", 8000, 2000));
    std::ofstream(script_) << "wait 2000\n";
  }
  void TearDown() override { fs::remove_all(work_); }

  int Run(const fs::path& video, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "velmorant", "--headless",
        "--screen",  std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x32",
        "-p",        show_.string(),
        "--script",  script_.string(),
        "--record",  video.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return testing::RunPlayerQuietly(args, errors_);
  }

  fs::path work_;
  fs::path show_;
  fs::path script_;
  std::string errors_;
};

TEST_F(Record, PicturesAndSoundAreThoseOfTheRunAtTheirTimes) {
  const fs::path video = work_ / "run.mp4";
  ASSERT_EQ(Run(video), 0) << errors_;
  const std::string bytes = Bytes(video);
  EXPECT_TRUE(bytes.find("avc1") != std::string::npos || bytes.find("mp4v") != std::string::npos);
  EXPECT_NE(bytes.find("mp4a"), std::string::npos);

  const Decoded decoded = Decode(video);
  // Two seconds at 25 frames a second, and the moment the run ended.
  ASSERT_EQ(decoded.pictures.size(), 51u);
  for (const platform::FilmPicture& p : decoded.pictures) {
    ASSERT_EQ(p.picture.GetSize(), (platform::Size{kWidth, kHeight}));
    const uint32_t expected = p.start_ms < 1000 ? kRed : kBlue;
    EXPECT_TRUE(Near(p.picture.At(kWidth / 2, kHeight / 2), expected))
        << "at " << p.start_ms << " ms: " << std::hex << p.picture.At(kWidth / 2, kHeight / 2);
  }
  EXPECT_EQ(decoded.pictures[25].start_ms, 1000);

  // The loop sounds all through the first page, past its file's length; the second page's
  // sound takes its place for its quarter of a second, and then all is quiet.
  EXPECT_GT(Loudness(decoded.sound, 50, 950), 3000.0);
  EXPECT_GT(Loudness(decoded.sound, 600, 950), 3000.0);
  EXPECT_GT(Loudness(decoded.sound, 1050, 1200), 3000.0);
  EXPECT_LT(Loudness(decoded.sound, 1350, 1950), 30.0);
  // The sound track lasts as long as the pictures.
  EXPECT_NEAR(double(decoded.sound.size()) / 2 / 44.1, 2040.0, 50.0);
}

TEST_F(Record, TheSameRunGivesTheSameFileAtAnyFrameRate) {
  const fs::path first = work_ / "first.mp4";
  const fs::path second = work_ / "second.mp4";
  ASSERT_EQ(Run(first, {"--fps", "30"}), 0) << errors_;
  ASSERT_EQ(Run(second, {"--fps", "30"}), 0) << errors_;
  const std::string bytes = Bytes(first);
  EXPECT_GT(bytes.size(), 1000u);
  EXPECT_TRUE(bytes == Bytes(second));
  // 30 frames a second do not divide a millisecond clock: none is lost or doubled.
  const Decoded decoded = Decode(first);
  ASSERT_EQ(decoded.pictures.size(), 61u);
  EXPECT_TRUE(Near(decoded.pictures[29].picture.At(5, 5), kRed));
  EXPECT_TRUE(Near(decoded.pictures[30].picture.At(5, 5), kBlue));
}

TEST_F(Record, AFileThatCannotBeWrittenIsAUsageErrorBeforeThePlay) {
  EXPECT_EQ(Run(work_ / "no-such-folder" / "run.mp4"), 2);
  EXPECT_NE(errors_.find("--record"), std::string::npos) << errors_;
}

// The bundled demo's tour, recorded: its first page's background under its welcome chime, and
// its last page's background at the end.
TEST(RecordDemo, TheTourShowsItsPagesAndSoundsAtTheirTimes) {
  const fs::path demo = VELMORANT_DEMO_DIR;
  if (!fs::exists(demo / "info.med")) GTEST_SKIP() << "the demo is not built in " << demo;
  const fs::path work = testing::FreshTestFolder("velmorant-record-demo-");
  const fs::path video = work / "tour.mp4";
  std::string errors;
  ASSERT_EQ(testing::RunPlayerQuietly({"velmorant", "--headless", "--screen", "800x600x32", "-p",
                                       demo.string(), "--script", VELMORANT_DEMO_TOUR, "--fps", "5",
                                       "--snapshots", work.string(), "--record", video.string()},
                                      errors),
            0)
      << errors;
  const Decoded decoded = Decode(video, {800, 600});
  fs::remove_all(work);
  ASSERT_GT(decoded.pictures.size(), 100u);
  const auto background = [&](const char* name) {
    auto bytes = platform::ReadFileBytes(demo / "tla" / name, 1 << 24);
    return platform::DecodeBmp(bytes.value()).value();
  };
  // A corner no element covers on the first and the last page.
  const platform::Pixel first = background("powitanie.bmp").At(10, 590);
  const platform::Pixel last = background("koniec.bmp").At(10, 590);
  EXPECT_TRUE(Near(decoded.pictures[2].picture.At(10, 590), first));
  EXPECT_TRUE(Near(decoded.pictures.back().picture.At(10, 590), last));
  EXPECT_FALSE(Near(first, last));
  // The chime of the first page, then quiet until the next page.
  EXPECT_GT(Loudness(decoded.sound, 50, 700), 300.0);
  EXPECT_LT(Loudness(decoded.sound, 1200, 2900), 30.0);
}

}  // namespace
}  // namespace velmorant
