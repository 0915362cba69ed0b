// The seven screen walks visit the element kinds in their fixed orders, and the Hide walk settles
// the sound that plays on before any sound is hidden.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/engine/fake_engine_host.hpp"

namespace velmorant {
namespace {

using testing::FakeEngineHost;

struct Visit {
  std::string kind;
  Phase phase;
  int32_t index;
  int32_t current_sound;  // as the kind saw it
  friend bool operator==(const Visit&, const Visit&) = default;
};

class RecordingKind final : public ElementKind {
 public:
  RecordingKind(std::string name, ElementHost& host, std::vector<Visit>& visits)
      : name_(std::move(name)), host_(host), visits_(visits) {}
  int32_t Count() const override { return 4; }
  void Show(int32_t i) override { Record(Phase::kShow, i); }
  void Compose(int32_t i) override { Record(Phase::kCompose, i); }
  void Start(int32_t i) override { Record(Phase::kStart, i); }
  void Activate(int32_t i) override { Record(Phase::kActivate, i); }
  void Stop(int32_t i) override { Record(Phase::kStop, i); }
  void Hide(int32_t i) override { Record(Phase::kHide, i); }
  void Preload(int32_t i) override { Record(Phase::kPreload, i); }

 private:
  void Record(Phase p, int32_t i) { visits_.push_back({name_, p, i, host_.CurrentSound()}); }
  std::string name_;
  ElementHost& host_;
  std::vector<Visit>& visits_;
};

class ScreenWalks : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::pair<ElementSet, std::string>> sets{
        {ElementSet::kBackground, "background"}, {ElementSet::kMaps, "maps"},
        {ElementSet::kSandwiches, "sandwiches"}, {ElementSet::kImages, "images"},
        {ElementSet::kCaptions, "captions"},     {ElementSet::kLinks, "links"},
        {ElementSet::kDocuments, "documents"},   {ElementSet::kProcesses, "processes"},
        {ElementSet::kSounds, "sounds"},         {ElementSet::kFilms, "films"},
        {ElementSet::kAnimations, "animations"}, {ElementSet::kTexts, "texts"}};
    for (const auto& [set, name] : sets) {
      host_.kinds.Add(set, std::make_unique<RecordingKind>(name, host_, visits_));
    }
    TEkr screen;
    screen.Background = 1;
    screen.Maps = {0};
    screen.Sandwiches = {1};
    screen.Images = {2, 0};  // the set's own order, and indexes outside the table skipped
    screen.Captions = {3, 9};
    screen.Links = {0};
    screen.Documents = {1};
    screen.Processes = {2};
    screen.Sounds = {3, 1};
    screen.Films = {0};
    screen.Animations = {-1, 1};
    screen.Texts = {2};
    Definition d;
    d.TEkrany = {screen};
    TMed page;
    page.Screen = 0;
    d.TMedia = {page};
    host_.Load(std::move(d));
  }

  std::vector<std::string> KindsIn(Phase phase) const {
    std::vector<std::string> out;
    for (const Visit& v : visits_) {
      if (v.phase == phase) out.push_back(v.kind + ":" + std::to_string(v.index));
    }
    return out;
  }

  FakeEngineHost host_;
  std::vector<Visit> visits_;
};

using Order = std::vector<std::string>;

TEST_F(ScreenWalks, EveryPhaseVisitsTheKindsInItsOwnOrder) {
  TEkrany& screens = host_.screens;
  screens.Show(0);
  screens.Compose(0);
  screens.Start(0);
  screens.Activate(0);
  screens.Stop(0);
  screens.Hide(0);
  screens.Preload(0);
  const Order show{"background:1", "maps:0",  "sandwiches:1", "images:2",    "images:0",
                   "captions:3",   "links:0", "documents:1",  "processes:2", "sounds:3",
                   "sounds:1",     "films:0", "animations:1", "texts:2"};
  EXPECT_EQ(KindsIn(Phase::kShow), show);
  EXPECT_EQ(KindsIn(Phase::kPreload), show);
  EXPECT_EQ(KindsIn(Phase::kCompose),
            (Order{"background:1", "images:2", "images:0", "captions:3", "maps:0", "sandwiches:1",
                   "links:0", "documents:1", "processes:2", "sounds:3", "sounds:1", "films:0",
                   "animations:1", "texts:2"}));
  EXPECT_EQ(KindsIn(Phase::kStart),
            (Order{"images:2", "images:0", "captions:3", "maps:0", "sandwiches:1", "links:0",
                   "documents:1", "processes:2", "sounds:3", "sounds:1", "films:0", "animations:1",
                   "texts:2"}));
  const Order activate{"maps:0",  "sandwiches:1", "images:2",    "images:0", "captions:3",
                       "links:0", "documents:1",  "processes:2", "sounds:3", "sounds:1",
                       "films:0", "animations:1", "texts:2"};
  EXPECT_EQ(KindsIn(Phase::kActivate), activate);
  EXPECT_EQ(KindsIn(Phase::kStop), activate);
  EXPECT_EQ(KindsIn(Phase::kHide),
            (Order{"texts:2", "animations:1", "films:0", "sounds:3", "sounds:1", "links:0",
                   "documents:1", "processes:2", "captions:3", "images:2", "images:0",
                   "sandwiches:1", "maps:0", "background:1"}));
}

TEST_F(ScreenWalks, ShownScreensOnlyAreComposedStartedAndStopped) {
  TEkrany& screens = host_.screens;
  screens.Compose(0);
  screens.Start(0);
  screens.Stop(0);
  screens.Show(1);  // no such screen
  EXPECT_TRUE(visits_.empty());
  screens.Show(0);
  screens.Show(0);  // a second Show of a shown screen does nothing
  EXPECT_EQ(KindsIn(Phase::kShow).size(), 14u);
}

TEST_F(ScreenWalks, TheSoundThatPlaysOnIsDecidedBeforeAnySoundIsHidden) {
  TEkrany& screens = host_.screens;
  screens.Show(0);
  // The last sound the screen lists is the current one: it plays on.
  host_.display.CurrentSound = 1;
  screens.Hide(0);
  for (const Visit& v : visits_) {
    if (v.phase == Phase::kHide && v.kind == "sounds") {
      EXPECT_EQ(v.current_sound, 1);
    }
  }
  visits_.clear();
  screens.Show(0);
  // Any other sound is silenced: the films are hidden before the rule, the sounds after it.
  host_.display.CurrentSound = 3;
  screens.Hide(0);
  for (const Visit& v : visits_) {
    if (v.phase != Phase::kHide) continue;
    if (v.kind == "films") {
      EXPECT_EQ(v.current_sound, 3);
    }
    if (v.kind == "sounds") {
      EXPECT_EQ(v.current_sound, -1);
    }
  }
}

TEST_F(ScreenWalks, ShowInstallsTheScreensKeysThroughThePage) {
  host_.definition.TEkrany[0].Keys = {4, 5};
  host_.media.Show(0);
  EXPECT_EQ(host_.display.ActiveKeys, (TIntWektor{4, 5}));
}

}  // namespace
}  // namespace velmorant
