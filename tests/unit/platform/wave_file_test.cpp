// Which wave files sound, all through one decoder, and every file of the shared corpus either plays
// or is refused without harm.
#include "platform/audio/wave_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/audio/recording_sound_player.hpp"
#include "platform/loop/clock.hpp"
#include "support/wave_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using fixtures::PutLe;
using fixtures::WaveHeader;
using fixtures::WriteWave;

class WaveFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant_wave_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  const SoundFormat format_{44100, 2};
};

TEST_F(WaveFiles, CommonAndOddCodecsAllPlayAtTheirLength) {
  std::string pcm16, float64, pcm12;
  for (int i = 0; i < 800; ++i) {
    PutLe(pcm16, uint16_t(i * 40), 2);
    double v = (i % 40) / 40.0 - 0.5;
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    PutLe(float64, bits, 8);
    PutLe(pcm12, uint16_t((i * 16) & 0xFFF0), 2);
  }
  ASSERT_TRUE(WriteWave(Path("pcm16.wav"), WaveHeader{1, 1, 8000, 16}, pcm16));
  ASSERT_TRUE(WriteWave(Path("float64.wav"), WaveHeader{3, 1, 8000, 64}, float64));
  ASSERT_TRUE(WriteWave(Path("pcm12.wav"), WaveHeader{1, 1, 8000, 12}, pcm12));
  // 800 frames at 8 kHz are 100 ms at any output rate.
  for (const char* name : {"pcm16.wav", "float64.wav", "pcm12.wav"}) {
    const LoadedWave wave = LoadWave(Path(name), format_);
    EXPECT_TRUE(wave.Playable()) << name << ": " << wave.refusal;
    EXPECT_EQ(wave.refusal, "") << name;
    EXPECT_NEAR(wave.DurationMs(format_), 100, 2) << name;
  }
}

TEST_F(WaveFiles, WhatNeitherReadsIsRefusedWithoutSamples) {
  std::ofstream(Path("text.wav")) << "not a wave file at all";
  std::string mp3ish = "ID3";
  mp3ish.append(400, '\x55');
  std::ofstream(Path("mp3.wav"), std::ios::binary) << mp3ish;
  for (const char* name : {"text.wav", "mp3.wav", "missing.wav"}) {
    const LoadedWave wave = LoadWave(Path(name), format_);
    EXPECT_FALSE(wave.Playable()) << name;
    EXPECT_NE(wave.refusal, "") << name;
    EXPECT_TRUE(wave.samples.empty()) << name;
  }
  EXPECT_EQ(LoadWave(Path("missing.wav"), format_).refusal, "No such file or directory");
  // A rate of hundreds of megahertz would have the converter build gigabytes of filter.
  ASSERT_TRUE(WriteWave(Path("fast.wav"), WaveHeader{1, 1, 520101696, 8}, std::string(800, 'x')));
  EXPECT_FALSE(LoadWave(Path("fast.wav"), format_).Playable());
  EXPECT_FALSE(LoadWave("", format_).Playable());
  EXPECT_FALSE(LoadWave(Path("missing.wav"), SoundFormat{0, 0}).Playable());
}

TEST_F(WaveFiles, SamplesComeInTheMixersFormat) {
  std::string data;
  for (int i = 0; i < 441; ++i) PutLe(data, 0x4000, 2);
  ASSERT_TRUE(WriteWave(Path("mono.wav"), WaveHeader{1, 1, 44100, 16}, data));
  const LoadedWave wave = LoadWave(Path("mono.wav"), format_);
  ASSERT_TRUE(wave.Playable());
  // Mono at the output rate becomes the same value on both channels.
  ASSERT_EQ(wave.samples.size(), 882u);
  EXPECT_EQ(wave.samples[0], 0x4000);
  EXPECT_EQ(wave.samples[1], 0x4000);
}

// A sound is charged to the budget before it is decoded, holds its charge while it is kept, and one
// that does not fit is refused for its size, which the players warn about once.
TEST_F(WaveFiles, SamplesAreChargedToTheBudgetFirstAndRefusedWhenTheyDoNotFit) {
  std::string data;
  for (int i = 0; i < 4410; ++i) PutLe(data, uint16_t(i), 2);  // 100 ms of mono
  ASSERT_TRUE(WriteWave(Path("tenth.wav"), WaveHeader{1, 1, 44100, 16}, data));
  const uint64_t converted = 4410 * 2 * sizeof(int16_t);
  MemoryBudget budget(converted);
  {
    const LoadedWave wave = LoadWave(Path("tenth.wav"), format_, &budget);
    ASSERT_TRUE(wave.Playable()) << wave.refusal;
    EXPECT_EQ(budget.Used(), wave.samples.capacity() * sizeof(int16_t));
    EXPECT_LE(budget.Used(), converted);
    // A second sound while the first is held does not fit.
    const LoadedWave second = LoadWave(Path("tenth.wav"), format_, &budget);
    EXPECT_FALSE(second.Playable());
    EXPECT_TRUE(second.too_large);
    EXPECT_TRUE(second.samples.empty());
    EXPECT_NE(second.refusal.find("memory budget"), std::string::npos) << second.refusal;
  }
  EXPECT_EQ(budget.Used(), 0u);
  // A missing file is refused, but not for its size.
  EXPECT_FALSE(LoadWave(Path("missing.wav"), format_, &budget).too_large);

  VirtualClock clock;
  EventLog log(clock);
  log.SetFolder(dir_.string());
  budget.SetLimit(converted / 2);
  RecordingSoundPlayer sounds(log, clock, &budget);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sounds.PlaySound(Path("tenth.wav"), kSndFilename | kSndAsync));
  EXPECT_FALSE(sounds.PlaySound(Path("tenth.wav"), kSndFilename | kSndAsync));
  EXPECT_FALSE(sounds.PlaySound(Path("missing.wav"), kSndFilename | kSndAsync));
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(warnings.rfind("velmorant: tenth.wav: not played: refused: ", 0), 0u) << warnings;
  EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
  EXPECT_EQ(budget.Used(), 0u);
}

const fs::path kCorpus = fs::path(VELMORANT_CORPORA_DIR) / "wav";

// Files whose fate is known from their format; every other corpus file only has to be handled.
const std::map<std::string, bool> kKnownPlayable = {
    {"soundevent_wav_pcm_16.wav", true},
    {"soundevent_wav_pcm_24.wav", true},
    {"soundevent_wav_pcm_u8.wav", true},
    {"soundevent_wav_float.wav", true},
    {"soundevent_wav_alaw.wav", true},
    {"soundevent_wav_ulaw.wav", true},
    {"soundevent_wav_ms_adpcm.wav", true},
    {"soundevent_wav_ima_adpcm.wav", true},
    {"soundevent_wav_double.wav", true},
    {"audiofile_afsp_addf8-GSM-GW.wav", true},
    {"filescraper_invalid__empty.wav", false},
    {"scipy_test-44100Hz-le-1ch-4bytes-incomplete-chunk.wav", false},
    {"taglib_invalid-chunk.wav", false},
};

TEST(WaveCorpus, EveryFilePlaysOrIsRefused) {
  if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  const SoundFormat format;
  int playable = 0, refused = 0;
  for (const auto& entry : fs::directory_iterator(kCorpus)) {
    const std::string name = entry.path().filename().string();
    const LoadedWave wave = LoadWave(entry.path().string(), format);
    if (wave.Playable()) {
      ++playable;
      EXPECT_EQ(wave.samples.size() % size_t(format.channels), 0u) << name;
    } else {
      ++refused;
      EXPECT_TRUE(wave.samples.empty()) << name;
    }
    if (auto it = kKnownPlayable.find(name); it != kKnownPlayable.end()) {
      EXPECT_EQ(wave.Playable(), it->second) << name << ": " << wave.refusal;
    }
  }
  EXPECT_GT(playable, 60);
  EXPECT_GT(refused, 5);
}

}  // namespace
}  // namespace velmorant::platform
