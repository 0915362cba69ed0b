// The recording's sound track: voices placed on the clock, loops, stops and the one-sound rule
// of wave sounds, mixed as far as the run has gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/audio/wave_file.hpp"
#include "platform/film/sync_frame_source.hpp"
#include "platform/loop/clock.hpp"
#include "platform/record/sound_track.hpp"
#include "platform/record/soundtrack_backend.hpp"
#include "platform/record/soundtrack_frame_source.hpp"
#include "platform/record/tracked_sound_player.hpp"
#include "platform/record/video_file.hpp"
#include "platform/record/wave_writer.hpp"
#include "support/test_files.hpp"
#include "support/wave_builder.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

// One channel at 1000 frames a second: a frame is a millisecond.
constexpr SoundFormat kMs{1000, 1};

SoundTrack::Samples Ramp(int16_t first, int frames) {
  auto samples = std::make_shared<std::vector<int16_t>>();
  for (int i = 0; i < frames; ++i) samples->push_back(int16_t(first + i));
  return samples;
}

std::vector<int16_t> Mix(SoundTrack& track, int64_t until_ms) {
  std::vector<int16_t> out;
  track.MixUntil(until_ms, out);
  return out;
}

TEST(RecordSoundTrack, ClipsPlayAtTheirTimesFromTheirOffsetsOnceOrLooped) {
  SoundTrack track(kMs);
  track.Start(0, 2, Ramp(100, 3), 0, false);
  EXPECT_EQ(Mix(track, 7), (std::vector<int16_t>{0, 0, 100, 101, 102, 0, 0}));
  EXPECT_FALSE(track.Playing(0, 7));

  track.Start(1, 8, Ramp(10, 3), 1, true);  // from its second frame, round and round
  EXPECT_TRUE(track.Playing(1, 100));
  EXPECT_EQ(Mix(track, 14), (std::vector<int16_t>{0, 11, 12, 10, 11, 12, 10}));
  // An offset past the end of a single play plays nothing; in a loop it wraps.
  track.Start(2, 14, Ramp(1, 3), 5, false);
  EXPECT_FALSE(track.Playing(2, 14));
}

TEST(RecordSoundTrack, AStartReplacesTheVoiceAndAStopSilencesOnlyItsOwn) {
  SoundTrack track(kMs);
  track.Start(0, 0, Ramp(100, 100), 0, true);
  track.Start(1, 0, Ramp(1000, 100), 0, false);
  auto mixed = Mix(track, 2);
  EXPECT_EQ(mixed, (std::vector<int16_t>{1100, 1102}));  // voices sound together
  track.Start(0, 2, Ramp(-50, 100), 0, false);
  track.Stop(1, 3);
  mixed = Mix(track, 5);
  EXPECT_EQ(mixed, (std::vector<int16_t>{-50 + 1002, -49, -48}));
  // A change cannot reach back before what has been mixed.
  track.Stop(0, 1);
  EXPECT_EQ(Mix(track, 6), (std::vector<int16_t>{0}));
}

TEST(RecordSoundTrack, LoudVoicesTogetherClipInsteadOfWrappingRound) {
  SoundTrack track(kMs);
  track.Start(0, 0, std::make_shared<std::vector<int16_t>>(1, int16_t(30000)), 0, false);
  track.Start(1, 0, std::make_shared<std::vector<int16_t>>(1, int16_t(30000)), 0, false);
  track.Start(2, 1, std::make_shared<std::vector<int16_t>>(1, int16_t(-32768)), 0, false);
  track.Start(3, 1, std::make_shared<std::vector<int16_t>>(1, int16_t(-32768)), 0, false);
  EXPECT_EQ(Mix(track, 2), (std::vector<int16_t>{32767, -32768}));
}

class CountingSounds final : public SoundPlayer {
 public:
  bool PlaySound(const std::string& path, uint32_t flags) override {
    requests.push_back({path, flags});
    return answer;
  }
  std::vector<std::pair<std::string, uint32_t>> requests;
  bool answer = true;
};

class TrackedSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-tracked-");
    wave_ = (work_ / "a.wav").string();
    ASSERT_TRUE(fixtures::WriteSquareWave(wave_, 1000, 50));  // 50 ms
  }
  void TearDown() override { fs::remove_all(work_); }

  double Level(int64_t until_ms) {
    const auto mixed = Mix(track_, until_ms);
    double peak = 0;
    for (int16_t s : mixed) peak = std::max(peak, double(std::abs(int(s))));
    return peak;
  }

  fs::path work_;
  std::string wave_;
  VirtualClock clock_;
  SoundTrack track_{kMs};
  CountingSounds inner_;
  TrackedSoundPlayer sounds_{inner_, track_, clock_};
};

TEST_F(TrackedSounds, WhatThePlayerPlaysIsOnTheTrackAndWhatItRefusesIsNot) {
  EXPECT_TRUE(sounds_.PlaySound(wave_, kSndAsync | kSndLoop));
  ASSERT_EQ(inner_.requests.size(), 1u);  // the run's own player still hears of it
  clock_.AdvanceTo(200);
  EXPECT_GT(Level(200), 10000.0);  // looped past its 50 ms

  // Refused because a sound plays (no-stop): the loop goes on.
  inner_.answer = false;
  EXPECT_FALSE(sounds_.PlaySound(wave_, kSndAsync | kSndNoStop));
  clock_.AdvanceTo(300);
  EXPECT_GT(Level(300), 10000.0);

  // A file that fails silences what played, as the system's service does.
  EXPECT_FALSE(sounds_.PlaySound((work_ / "missing.wav").string(), kSndAsync));
  clock_.AdvanceTo(400);
  EXPECT_EQ(Level(400), 0.0);

  inner_.answer = true;
  sounds_.PlaySound(wave_, kSndAsync | kSndLoop);
  clock_.AdvanceTo(450);
  sounds_.PlaySound("", kSndAsync);  // a stop
  EXPECT_GT(Level(450), 10000.0);
  EXPECT_EQ(Level(600), 0.0);
}

// A film's sound follows its plays, pauses and resumes. The film is one the recorder writes: ten
// pictures a second for a second, with a tone all through.
TEST_F(TrackedSounds, AFilmsSoundFollowsItsPlaysPausesAndResumes) {
  const fs::path film = work_ / "film.mp4";
  {
    std::string error;
    auto file = VideoFile::Create(film, {{16, 16}, 10, SoundFormat{}}, &error);
    ASSERT_TRUE(file) << error;
    for (int i = 0; i < 10; ++i) file->AddPicture(Bitmap(16, 16, 0x808080));
    std::vector<int16_t> tone(44100 * 2);
    // 110 Hz, well below what the test's 1000 Hz track keeps.
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = (i / 2 / 200) % 2 ? 12000 : -12000;
    file->AddSound(tone);
    ASSERT_TRUE(file->Finish(&error)) << error;
  }
  SoundtrackFrameSource source(std::make_unique<SyncFrameSource>(), track_, clock_, 1);
  ASSERT_TRUE(source.Open(film.string()));
  source.Start(0);
  clock_.AdvanceTo(300);
  EXPECT_GT(Level(300), 5000.0);
  source.Pause();
  clock_.AdvanceTo(500);
  EXPECT_LT(Level(500), 200.0);
  source.Resume();  // the last 700 ms of the film
  clock_.AdvanceTo(1400);
  EXPECT_GT(Level(1190), 5000.0);
  Level(1250);
  EXPECT_LT(Level(1400), 200.0);
  source.Start(900);  // a play from near the end, cut short by closing the film
  clock_.AdvanceTo(1450);
  source.Close();
  EXPECT_GT(Level(1450), 5000.0);
  EXPECT_LT(Level(1600), 200.0);
}

// A run's track as the parity mode writes it: read back by the player's own wave reader, it is
// what the run played, from the start to where the run is.
TEST_F(TrackedSounds, ARunsTrackIsWrittenAsAWaveFileOfItsSamples) {
  auto run = std::make_unique<HeadlessBackend>(HeadlessOptions{});
  VirtualClock& clock = run->Virtual();
  SoundtrackBackend backend(std::move(run));
  clock.AdvanceTo(100);
  EXPECT_TRUE(backend.Sounds().PlaySound(wave_, kSndAsync | kSndLoop));
  clock.AdvanceTo(250);
  const std::vector<int16_t> track = backend.Finish();
  ASSERT_EQ(track.size(), size_t(250 * 441 / 10 * 2));
  EXPECT_EQ(*std::max_element(track.begin(), track.begin() + 4410 * 2), 0);
  EXPECT_GT(*std::max_element(track.begin() + 4410 * 2, track.end()), 10000);
  std::string error;
  ASSERT_TRUE(WriteWaveFile(work_ / "track.wav", track, backend.Format(), &error)) << error;
  const LoadedWave read = LoadWave((work_ / "track.wav").string(), backend.Format());
  ASSERT_TRUE(read.Playable()) << read.refusal;
  EXPECT_EQ(read.samples, track);
}

TEST(RecordClock, TheStepHookSeesEveryStepBeforeItIsTaken) {
  VirtualClock clock;
  std::vector<std::pair<int64_t, int64_t>> steps;
  clock.SetStepHook([&](int64_t from, int64_t to) {
    EXPECT_EQ(clock.NowMs(), from);
    steps.push_back({from, to});
  });
  clock.Sleep(40);
  clock.AdvanceTo(30);  // backwards: no step
  clock.AdvanceTo(100);
  clock.Sleep(0);
  EXPECT_EQ(steps, (std::vector<std::pair<int64_t, int64_t>>{{0, 40}, {40, 100}}));
}

}  // namespace
}  // namespace velmorant::platform
