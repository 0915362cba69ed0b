// Texts: a rich-text view over the window whose underlined phrases lead to pages, shown, hidden
// and printed by its map's regions, kept loaded across screens when asked.
#include "elements/visual/texts.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "elements/interactive/maps.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant {
namespace {

using platform::kCrArrow;
using platform::kCrMultiDrag;
using platform::MouseButton;
using testing::FakeEngineHost;

const std::string kLinks =
    "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Go to {\\ul five} or {\\ul nine} now.}";

class Texts : public ::testing::Test {
 protected:
  Texts() : host_(200, 150) {
    host_.kinds = MakeElementKinds(host_);
    host_.assets.files["t.rtf"] = kLinks;
    std::string lines = "{\\rtf1 ";
    for (int i = 0; i < 50; ++i) lines += "line " + std::to_string(i) + "\\par ";
    host_.assets.files["long.rtf"] = lines + "}";
  }
  TTeksty& Kind() { return *static_cast<TTeksty*>(host_.kinds.Find(ElementSet::kTexts)); }

  TTek Text(std::string file = "t.rtf") const {
    TTek tek;
    tek.FileName = std::move(file);
    tek.Targets = {5, 9};
    tek.X = 0;
    tek.Y = 0;
    tek.W = 100;
    tek.H = 100;
    return tek;
  }
  // Screen s shows the texts given for it; every page p < 10 shows screen p % screens.
  void Load(std::vector<TTek> texts, std::vector<std::vector<int32_t>> screens,
            std::vector<TMap> maps = {}) {
    Definition d;
    d.TTeksty = std::move(texts);
    d.TMapy = std::move(maps);
    for (const auto& shown : screens) {
      TEkr screen;
      for (int32_t t : shown) screen.Texts.Add(t);
      d.TEkrany.push_back(screen);
    }
    for (int32_t p = 0; p < 10; ++p) {
      TMed page;
      page.Screen = p % int32_t(screens.size());
      d.TMedia.push_back(page);
    }
    NumberRecords(d);
    host_.Load(std::move(d));
  }
  void Enter(int32_t page) {
    host_.display.CurrentPage = page;
    host_.display.ShowPage();
    host_.display.ComposePage();
    host_.display.StartPage();
    host_.display.ActivatePage();
  }
  void Leave() {
    host_.display.StopPage();
    host_.display.HidePage();
  }
  // A point on the view over character p (found by asking the view, as a pointer would).
  platform::Point PointOver(int32_t p) {
    platform::RichTextView& view = *Kind().View(0);
    for (int32_t x = 0; x < 200; ++x) {
      if (view.CharFromPos({x, 5}) == p) return {x, 5};
    }
    ADD_FAILURE() << "no point over " << p;
    return {};
  }

  FakeEngineHost host_;
};

TEST_F(Texts, PhrasesLeadToTheirTargetsAndTurnThePointerIntoTheLinkCursor) {
  Load({Text()}, {{0}});
  Enter(0);
  platform::RichTextView* view = Kind().View(0);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Visible());
  EXPECT_EQ(host_.window.focus, view);
  EXPECT_EQ(Kind().Phrases(0), (std::vector<platform::Phrase>{{6, 10}, {14, 18}}));

  const platform::Point five = PointOver(7);
  const platform::Point plain = PointOver(2);
  view->OnMouseMove(five.x, five.y);
  EXPECT_EQ(view->Cursor(), kCrMultiDrag);
  view->OnMouseMove(plain.x, plain.y);
  EXPECT_EQ(view->Cursor(), kCrArrow);

  view->OnMouseDown(MouseButton::kLeft, plain.x, plain.y);
  view->OnMouseDown(MouseButton::kRight, five.x, five.y);
  EXPECT_EQ(host_.window.close_requests, 0) << "plain text and other buttons do nothing";
  view->OnMouseDown(MouseButton::kLeft, five.x, five.y);
  EXPECT_EQ(host_.window.close_requests, 1);
  EXPECT_EQ(host_.display.PendingAction, (TAkc{kActionGoTo, 5}));
  const platform::Point nine = PointOver(15);
  view->OnMouseDown(MouseButton::kLeft, nine.x, nine.y);
  EXPECT_EQ(host_.display.PendingAction, (TAkc{kActionGoTo, 9}));
}

TEST_F(Texts, PhrasesBeyondTheTargetsLeadNowhere) {
  TTek one = Text();
  one.Targets = {7};
  TTek none = Text();
  none.Targets = {};
  Load({one, none}, {{0}, {1}});
  Enter(0);
  EXPECT_EQ(Kind().Phrases(0).size(), 1u);
  const platform::Point nine = PointOver(15);
  Kind().View(0)->OnMouseDown(MouseButton::kLeft, nine.x, nine.y);
  EXPECT_EQ(host_.window.close_requests, 0);
  Leave();
  Enter(1);
  EXPECT_TRUE(Kind().Phrases(1).empty());
}

TEST_F(Texts, MapRegionsShowHideAndPrintTheText) {
  TMap map;
  map.Width = 0;
  map.Height = 0;
  for (int r = 0; r < 3; ++r) map.Regions.push_back(TReg{});
  TTek tek = Text();
  tek.VisibleAtStart = 0;
  tek.MapIndex = 0;
  tek.ShowRegion = 0;
  tek.HideRegion = 1;
  tek.PrintRegion = 2;
  Load({tek}, {{0}}, {map});
  const auto log = std::filesystem::temp_directory_path() /
                   ("velmorant-texts-" + std::to_string(::getpid()) + ".jsonl");
  host_.backend.Log().Open(log.string());
  Enter(0);
  platform::RichTextView* view = Kind().View(0);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->Visible());
  ControlRegistry& controls = host_.Controls();
  for (int i = 0; i < 2; ++i) {
    controls.Click(0, 0);
    EXPECT_TRUE(view->Visible());
    controls.Click(0, 1);
    EXPECT_FALSE(view->Visible());
  }
  controls.Click(0, 2);
  EXPECT_EQ(host_.window.close_requests, 0);
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find(R"("event":"print","title":"Wydruk pliku t.rtf")"), std::string::npos)
      << text.str();
  std::filesystem::remove(log);
}

TEST_F(Texts, AKeptTextKeepsItsViewAndScrollAcrossScreens) {
  TTek kept = Text("long.rtf");
  kept.Keep = 1;
  TTek plain = Text("long.rtf");
  Load({kept, plain}, {{0, 1}, {0}});
  Enter(0);
  platform::RichTextView* view = Kind().View(0);
  ASSERT_NE(view, nullptr);
  view->ScrollLines(7);
  const int32_t scrolled = view->ScrollPosition();
  EXPECT_GT(scrolled, 0);
  Leave();
  EXPECT_FALSE(view->Visible());
  EXPECT_EQ(Kind().View(1), nullptr) << "released";
  EXPECT_EQ(host_.window.children.size(), 1u);
  Enter(1);
  EXPECT_EQ(Kind().View(0), view);
  EXPECT_TRUE(view->Visible());
  EXPECT_EQ(view->ScrollPosition(), scrolled);
}

TEST_F(Texts, AMissingFileShowsNoViewButItsMapStillWorks) {
  TMap map;
  map.Regions.push_back(TReg{});
  TTek tek = Text("brak.rtf");
  tek.MapIndex = 0;
  tek.ShowRegion = 0;
  Load({tek}, {{0}}, {map});
  Enter(0);
  EXPECT_EQ(Kind().View(0), nullptr);
  EXPECT_TRUE(host_.window.children.empty());
  host_.Controls().Click(0, 0);  // does nothing, does not fail
  EXPECT_EQ(host_.window.close_requests, 0);
}

TEST_F(Texts, WhatIsNotRtfShowsAsPlainText) {
  host_.assets.files["plain.txt"] = "first line\r\nsecond \xb9";
  Load({Text("plain.txt")}, {{0}});
  Enter(0);
  ASSERT_NE(Kind().View(0), nullptr);
  EXPECT_EQ(Kind().View(0)->Document().text, U"first line\rsecond ą");
}

TEST_F(Texts, HidingTheScreenRemovesTheViewFromTheWindow) {
  Load({Text()}, {{0}});
  Enter(0);
  EXPECT_EQ(host_.window.children.size(), 1u);
  Leave();
  EXPECT_TRUE(host_.window.children.empty());
  EXPECT_EQ(host_.window.focus, nullptr);
  host_.assets.warmed.clear();
  Kind().Preload(0);
  EXPECT_EQ(host_.assets.warmed, (std::vector<std::string>{"t.rtf"}));
}

}  // namespace
}  // namespace velmorant
