// Which sound plays on across a page change, which is silenced, and what the play and stop
// buttons do, with the event log as the sound card.
#include <gtest/gtest.h>

#include "support/wave_builder.hpp"
#include "unit/engine/media_test_host.hpp"

namespace velmorant {
namespace {

using testing::MediaHost;
using Events = std::vector<std::string>;

TDzw Sound(const std::string& path, uint8_t auto_play, uint8_t loop = 1) {
  TDzw s;
  s.FileName = path;
  s.AutoPlay = auto_play;
  s.Loop = loop;
  return s;
}

// Screens of the given sound lists, one page each, and map 0 with a play and a stop button.
Definition Pages(std::vector<TDzw> sounds, const std::vector<TIntWektor>& lists) {
  Definition d;
  for (size_t i = 0; i < sounds.size(); ++i) sounds[i].Number = int32_t(i);
  d.TDzwieki = std::move(sounds);
  for (const TIntWektor& list : lists) {
    TEkr screen;
    screen.Sounds = list;
    d.TEkrany.push_back(screen);
    d.TMedia.push_back(TMed{.Screen = int32_t(d.TEkrany.size() - 1)});
  }
  TMap map;
  map.Regions.resize(2);
  d.TMapy.push_back(map);
  return d;
}

class SoundCarry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fixtures::WriteSquareWave(media_.dir / "a.wav", 8000, 800));
    ASSERT_TRUE(fixtures::WriteSquareWave(media_.dir / "b.wav", 8000, 800));
  }
  std::string A() const { return media_.Path("a.wav"); }
  std::string B() const { return media_.Path("b.wav"); }
  TDzw WithButtons(TDzw s) {
    s.MapIndex = 0;
    s.PlayRegion = 0;
    s.StopRegion = 1;
    return s;
  }

  MediaHost media_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(SoundCarry, ASoundListedLastOnTwoScreensPlaysOnWithoutARestart) {
  media_.Load(Pages({Sound(A(), 1), Sound(B(), 1)}, {{1, 0}, {0}, {}}));
  media_.GoTo(1);
  media_.GoTo(2);  // no sounds listed: it plays on
  EXPECT_EQ(media_.Events(), (Events{"play b.wav", "play a.wav"}));
  EXPECT_EQ(media_.host.display.CurrentSound, 0);
}

TEST_F(SoundCarry, LeavingAScreenWhoseLastSoundIsNotCurrentSilencesIt) {
  // Sound 0 becomes current through its play button while sound 1 plays.
  media_.Load(Pages({WithButtons(Sound(A(), 0)), Sound(B(), 1)}, {{0, 1}, {}}));
  media_.Click(0, 0);
  EXPECT_EQ(media_.host.display.CurrentSound, 0);
  media_.GoTo(1);
  EXPECT_EQ(media_.Events(),
            (Events{"play b.wav", "play a.wav (false)", "play a.wav", "stop", "stop"}));
  EXPECT_EQ(media_.host.display.CurrentSound, -1);
}

TEST_F(SoundCarry, PlayWhileNothingSoundsStartsWithoutBecomingCurrent) {
  media_.Load(Pages({WithButtons(Sound(A(), 0, 0))}, {{0}, {}}));
  EXPECT_EQ(media_.host.display.CurrentSound, -1);  // not started, so not current
  media_.Click(0, 0);                               // nothing sounds: plays, stays not current
  EXPECT_EQ(media_.host.display.CurrentSound, -1);
  media_.GoTo(1);
  EXPECT_EQ(media_.Events(), (Events{"play a.wav", "stop"}));
}

TEST_F(SoundCarry, MusicStopsWhenTheScreenListsAButtonSoundAfterIt) {
  // The music starts by itself; the button's sound listed after it never played.
  media_.Load(Pages({Sound(A(), 1), WithButtons(Sound(B(), 0))}, {{0, 1}, {}}));
  EXPECT_EQ(media_.host.display.CurrentSound, 0);
  media_.GoTo(1);
  EXPECT_EQ(media_.Events(), (Events{"play a.wav", "stop", "stop"}));
  EXPECT_EQ(media_.host.display.CurrentSound, -1);
}

TEST_F(SoundCarry, StopSilencesASoundAnotherRecordStarted) {
  media_.Load(Pages({Sound(A(), 1), WithButtons(Sound(B(), 0))}, {{0, 1}}));
  media_.Click(0, 1);
  EXPECT_EQ(media_.Events(), (Events{"play a.wav", "stop"}));
  EXPECT_EQ(media_.host.display.CurrentSound, -1);
}

TEST_F(SoundCarry, ARecordWithoutAFileDoesNothing) {
  media_.Load(Pages({Sound(A(), 1), Sound("", 1)}, {{0}, {1, 0}, {0}}));
  media_.GoTo(1);
  media_.GoTo(2);
  media_.Click(0, 0);  // no map of its own: nothing
  EXPECT_EQ(media_.Events(), (Events{"play a.wav"}));
}

TEST_F(SoundCarry, AMissingFileMakesNoSoundAndNoError) {
  media_.Load(Pages({Sound(media_.Path("missing.wav"), 1), Sound(A(), 1)}, {{1}, {0}}));
  media_.GoTo(1);
  EXPECT_EQ(media_.Events(), (Events{"play a.wav", "play missing.wav (false)"}));
  EXPECT_EQ(media_.host.display.CurrentSound, 0);
}

}  // namespace
}  // namespace velmorant
