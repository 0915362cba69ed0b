// Which pages a viewer can reach: the ways out of a page are its map regions (unless an element
// took them as its controls), its keys, the phrases of its texts, its auto-advance and films that
// end; targets without a valid screen are refused as the player refuses them.
#include "check/reachable_pages.hpp"

#include <gtest/gtest.h>

namespace velmorant::check {
namespace {

// `pages` entries, each on its own screen and with no way out.
Definition Islands(size_t pages) {
  Definition d;
  d.TKlawisze = {{13, {kActionNext, 0}}, {36, {kActionGoTo, 0}}};
  for (size_t i = 0; i < pages; ++i) {
    d.TMedia.push_back({int32_t(i), 0, -1});
    d.TEkrany.push_back({});
  }
  return d;
}

std::vector<bool> Reach(const Definition& d, std::vector<bool> films_play = {}) {
  films_play.resize(d.TFilmy.size(), true);
  return ReachablePages(d, films_play);
}

TEST(ReachablePages, KeysAdvanceAndPhrasesLeadOn) {
  Definition d = Islands(5);
  EXPECT_EQ(Reach(d), (std::vector<bool>{true, false, false, false, false}));
  d.TEkrany[0].Keys = {0};  // Enter: next
  d.TMedia[1].AdvanceMs = 500;
  TTek text;
  text.Targets = {4, 99};  // the second phrase leads nowhere
  d.TTeksty = {text};
  d.TEkrany[2].Texts = {0};
  EXPECT_EQ(Reach(d), (std::vector<bool>{true, true, true, false, true}));
}

TEST(ReachablePages, ARegionTakenAsAControlIsNoWayOut) {
  Definition d = Islands(3);
  TMap map;
  map.Regions.resize(2);
  map.Regions[0].Action = {kActionNext, 0};
  map.Regions[1].Action = {kActionGoTo, 2};
  d.TMapy = {map};
  TDzw sound;
  sound.MapIndex = 0;
  sound.PlayRegion = 0;
  d.TDzwieki = {sound};
  // The map comes with the sound, which takes region 0: only region 1 leads away.
  d.TEkrany[0].Sounds = {0};
  EXPECT_EQ(Reach(d), (std::vector<bool>{true, false, true}));
}

TEST(ReachablePages, AFilmWithoutButtonsMovesOnOnlyWhenItPlays) {
  Definition d = Islands(2);
  TFil film;
  film.FileName = "a.avi";
  d.TFilmy = {film};
  d.TEkrany[0].Films = {0};
  EXPECT_EQ(Reach(d, {true}), (std::vector<bool>{true, true}));
  EXPECT_EQ(Reach(d, {false}), (std::vector<bool>{true, false}));
  d.TFilmy[0].AutoStart = 0;  // never started: never ends
  EXPECT_EQ(Reach(d, {true}), (std::vector<bool>{true, false}));
}

TEST(ReachablePages, TargetsWithoutAValidScreenAreRefused) {
  Definition d = Islands(4);
  d.TMedia[1].Screen = -1;
  d.TMedia[2].Screen = 50;
  TMap map;
  map.Regions.resize(3);
  map.Regions[0].Action = {kActionNext, 0};        // to entry 1: refused, stays
  map.Regions[1].Action = {kActionMoveBy, 3};      // to entry 3
  map.Regions[2].Action = {kActionMoveBy, -1000};  // outside: stays
  d.TMapy = {map};
  d.TEkrany[0].Maps = {0};
  EXPECT_EQ(Reach(d), (std::vector<bool>{true, false, false, true}));
}

TEST(ReachablePages, TheShowStartsAtTheFirstEntryWithAScreen) {
  Definition d = Islands(3);
  d.TMedia[0].Screen = -1;
  d.TEkrany[1].Keys = {1};  // Home: entry 0, which has no screen
  EXPECT_EQ(Reach(d), (std::vector<bool>{false, true, false}));
  Findings findings;
  CheckReachable(d, {}, findings);
  ASSERT_EQ(findings.All().size(), 1u);
  EXPECT_EQ(findings.All()[0].where.index, 2);
  EXPECT_EQ(findings.All()[0].severity, Severity::kWarning);
}

}  // namespace
}  // namespace velmorant::check
