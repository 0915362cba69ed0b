// Wave sounds through the page's output, on a fake output and the virtual clock: the desktop's
// one-sound behaviour and its log, and the sounds that wait for the page's first click or key.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/audio/recording_sound_player.hpp"
#include "platform/web/web_sound_player.hpp"
#include "support/test_files.hpp"
#include "support/wave_builder.hpp"
#include "unit/web/fake_audio.hpp"

namespace velmorant::platform {
namespace {

using testing::FakeAudio;
constexpr uint32_t kOnce = kSndFilename | kSndAsync;

class WebSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = velmorant::testing::FreshTestFolder("velmorant_web_sound_");
    ASSERT_TRUE(fixtures::WriteSquareWave(dir_ / "short.wav", 8000, 2000));  // 250 ms
    std::ofstream(dir_ / "broken.wav") << "RIFF";
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  // The clock and the output move together, as a running page's do.
  void At(int64_t ms) {
    clock_.AdvanceTo(ms);
    audio_.now = ms;
    sounds_.Update();
  }

  std::filesystem::path dir_;
  VirtualClock clock_;
  EventLog log_{clock_};
  FakeAudio audio_;
  MemoryBudget budget_;
  WebSoundPlayer sounds_{audio_, log_, clock_, &budget_};
};

std::string Slurp(const std::filesystem::path& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

TEST_F(WebSounds, PlaysOneSoundAtATimeAsTheDesktopDoes) {
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  ASSERT_EQ(audio_.voices.size(), 1u);
  EXPECT_EQ(audio_.voices.begin()->second.samples.size(), 250u * 441 / 10 * 2);
  At(249);
  EXPECT_FALSE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  At(250);
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  // A loop plays until something silences it; a new sound replaces it, on the output too.
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndLoop));
  At(100000);
  EXPECT_EQ(audio_.Sounding(), 1);
  EXPECT_FALSE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  EXPECT_TRUE(sounds_.PlaySound("", kOnce));
  EXPECT_TRUE(audio_.voices.empty());
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  // A file that does not play silences the one before it all the same.
  EXPECT_FALSE(sounds_.PlaySound(Path("broken.wav"), kOnce));
  EXPECT_TRUE(audio_.voices.empty());
  // Nothing but a request ends a loop: the pages that follow still hear it.
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndLoop));
  At(200000);
  EXPECT_TRUE(sounds_.Playing());
  EXPECT_EQ(audio_.Sounding(), 1);
}

TEST_F(WebSounds, LogsWhatTheHeadlessPlayerLogs) {
  VirtualClock clock;
  EventLog headless_log(clock);
  RecordingSoundPlayer headless(headless_log, clock);
  headless_log.Open((dir_ / "headless.jsonl").string());
  log_.Open((dir_ / "web.jsonl").string());
  const std::pair<const char*, uint32_t> requests[] = {{"short.wav", kOnce},
                                                       {"short.wav", kOnce | kSndNoStop},
                                                       {"broken.wav", kOnce},
                                                       {"missing.wav", kOnce | kSndLoop},
                                                       {"short.wav", kOnce | kSndLoop},
                                                       {"short.wav", kOnce | kSndNoStop},
                                                       {"", kOnce},
                                                       {"short.wav", kOnce | kSndNoStop}};
  int64_t t = 0;
  for (const auto& [name, flags] : requests) {
    const std::string path = *name ? Path(name) : "";
    clock.AdvanceTo(t);
    At(t);
    EXPECT_EQ(headless.PlaySound(path, flags), sounds_.PlaySound(path, flags)) << name << t;
    t += 100;
  }
  EXPECT_EQ(Slurp(dir_ / "web.jsonl"), Slurp(dir_ / "headless.jsonl"));
}

TEST_F(WebSounds, ASoundAskedForBeforeTheFirstGestureStartsWhereItWouldBe) {
  audio_.running = false;
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce));
  At(100);
  EXPECT_TRUE(audio_.voices.empty());
  // It counts as playing meanwhile, as it would on the desktop.
  EXPECT_FALSE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  audio_.running = true;
  ::testing::internal::CaptureStderr();
  At(150);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("short.wav: started at the page's first "
                                                          "click or key, 150 ms in"),
            std::string::npos);
  ASSERT_EQ(audio_.voices.size(), 1u);
  EXPECT_EQ(audio_.PositionMs(audio_.voices.begin()->first), 150);
}

TEST_F(WebSounds, BeforeTheFirstGestureALoopWrapsAndAnEndedSoundNeverStarts) {
  audio_.running = false;
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndLoop));
  At(1100);
  audio_.running = true;
  At(1120);
  ASSERT_EQ(audio_.voices.size(), 1u);
  EXPECT_EQ(audio_.voices.begin()->second.offset_ms, 120);  // 4 loops and 120 ms
  EXPECT_TRUE(audio_.voices.begin()->second.loop);

  audio_.running = false;
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce));
  At(1400);
  EXPECT_FALSE(sounds_.Playing());
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce | kSndNoStop));
  At(1700);
  audio_.running = true;
  ::testing::internal::CaptureStderr();
  At(1800);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("not heard"), std::string::npos);
  EXPECT_TRUE(audio_.voices.empty());
}

TEST_F(WebSounds, TheOutputsCopyIsChargedAndLetGoWithTheSound) {
  EXPECT_TRUE(sounds_.PlaySound(Path("short.wav"), kOnce));
  // Once the output has its copy, only that copy is held: 4 bytes a sample.
  EXPECT_EQ(budget_.Used(), 250u * 441 / 10 * 2 * 4);
  At(300);
  EXPECT_EQ(budget_.Used(), 0u);
  budget_.SetLimit(250u * 441 / 10 * 2 * 5);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sounds_.PlaySound(Path("short.wav"), kOnce));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("memory budget"), std::string::npos);
  EXPECT_EQ(budget_.Used(), 0u);
}

}  // namespace
}  // namespace velmorant::platform
