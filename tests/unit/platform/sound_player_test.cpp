// Wave sounds as the one-sound service plays them: headless on the virtual clock, and through
// the mixer on SDL's disk audio driver, where a played sound must really come out as samples.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "platform/audio/mixer.hpp"
#include "platform/audio/mixer_sound_player.hpp"
#include "platform/audio/recording_sound_player.hpp"
#include "support/wave_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

class Sounds : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant_sound_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
    ASSERT_TRUE(fixtures::WriteSquareWave(dir_ / "short.wav", 8000, 2000));  // 250 ms
    std::ofstream(dir_ / "broken.wav") << "RIFF";
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(Sounds, HeadlessNoStopIsRefusedOnlyWhileASoundPlays) {
  VirtualClock clock;
  EventLog log(clock);
  RecordingSoundPlayer sounds(log, clock);
  const uint32_t once = kSndFilename | kSndAsync;
  EXPECT_TRUE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
  clock.AdvanceTo(249);
  EXPECT_FALSE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
  clock.AdvanceTo(250);
  EXPECT_TRUE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
  // A loop plays until something silences it, and a new sound replaces it.
  EXPECT_TRUE(sounds.PlaySound(Path("short.wav"), once | kSndLoop));
  clock.AdvanceTo(100000);
  EXPECT_FALSE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
  EXPECT_TRUE(sounds.PlaySound("", once));
  EXPECT_TRUE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
  // A file that does not play silences the one before it all the same.
  EXPECT_FALSE(sounds.PlaySound(Path("broken.wav"), once));
  EXPECT_TRUE(sounds.PlaySound(Path("short.wav"), once | kSndNoStop));
}

TEST_F(Sounds, HeadlessEventsSayWhatWouldSound) {
  VirtualClock clock;
  EventLog log(clock);
  const fs::path out = dir_ / "log.jsonl";
  log.Open(out.string());
  log.SetFolder(dir_.string());
  RecordingSoundPlayer sounds(log, clock);
  sounds.PlaySound(Path("short.wav"), kSndFilename | kSndAsync | kSndLoop);
  sounds.PlaySound(Path("broken.wav"), kSndFilename | kSndAsync);
  sounds.PlaySound("", kSndFilename | kSndAsync);
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "{\"t\":0,\"event\":\"sound\",\"op\":\"play\",\"file\":\"short.wav\",\"loop\":true,"
            "\"result\":true}\n"
            "{\"t\":0,\"event\":\"sound\",\"op\":\"play\",\"file\":\"broken.wav\",\"loop\":false,"
            "\"result\":false}\n"
            "{\"t\":0,\"event\":\"sound\",\"op\":\"stop\",\"file\":\"\",\"loop\":false,"
            "\"result\":true}\n");
}

// The disk audio driver writes what the mixer produces into a file, at the pace of a sound card.
class DiskAudio : public Sounds {
 protected:
  void SetUp() override {
    Sounds::SetUp();
    output_ = dir_ / "out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    mixer_ = Mixer::Open();
    if (!mixer_) GTEST_SKIP() << "no disk audio driver";
  }
  void TearDown() override {
    mixer_.reset();
    Sounds::TearDown();
  }
  // Whether a sample of at least `level` came out, looking until the driver wrote `bytes`.
  bool LoudSampleWithin(size_t bytes, int level) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < give_up) {
      std::ifstream in(output_, std::ios::binary);
      std::string data(bytes, '\0');
      in.read(data.data(), std::streamsize(bytes));
      data.resize(size_t(in.gcount()));
      for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const int16_t s = int16_t(uint8_t(data[i]) | (uint8_t(data[i + 1]) << 8));
        if (std::abs(int(s)) >= level) return true;
      }
      if (data.size() >= bytes) return false;
      // Waiting for the audio thread, not timing it: the limit above is only against a hang.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  fs::path output_;
  std::unique_ptr<Mixer> mixer_;
};

TEST_F(DiskAudio, APlayedSoundProducesSamples) {
  VirtualClock clock;
  EventLog log(clock);
  MixerSoundPlayer sounds(*mixer_, log);
  EXPECT_EQ(mixer_->Format().channels, 2);
  ASSERT_TRUE(sounds.PlaySound(Path("short.wav"), kSndFilename | kSndAsync));
  EXPECT_FALSE(sounds.PlaySound(Path("short.wav"), kSndFilename | kSndAsync | kSndNoStop));
  EXPECT_TRUE(LoudSampleWithin(1 << 18, 0x4000));
  EXPECT_NE(sounds.FirstMixedAtUs(), 0);
  EXPECT_FALSE(sounds.PlaySound(Path("broken.wav"), kSndFilename | kSndAsync));
  EXPECT_TRUE(sounds.PlaySound("", kSndFilename | kSndAsync));
}

}  // namespace
}  // namespace velmorant::platform
