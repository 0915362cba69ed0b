// Captions: cut-out letters in a placed box, their text in the font's code page, their timers.
#include "elements/visual/captions.hpp"

#include <gtest/gtest.h>

#include "platform/gfx/colour.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/draw_text.hpp"
#include "unit/engine/fake_drawing_context.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::BoundsOf;
using testing::FakeEngineHost;

constexpr Pixel kRed = 0xFF0000;
const std::string kText = "Ala ma kota, a kot ma Ale; wszyscy razem maja psa";

class Captions : public ::testing::Test {
 protected:
  Captions() : host_(200, 100) {
    auto kind = std::make_unique<TNapisy>(host_);
    captions_ = kind.get();
    host_.kinds.Add(ElementSet::kCaptions, std::move(kind));
    host_.assets.files["napis.txt"] = kText;
  }

  TNap Caption() const {
    TNap nap;
    nap.FileName = "napis.txt";
    nap.FontName = "Arial";
    nap.FontSize = 12;
    nap.Colour = 0x0000FF;  // red as 0x00BBGGRR
    return nap;
  }

  // One page whose screen shows the given captions; it is shown and composed.
  void ShowPage(std::vector<TNap> captions, std::vector<TPrz> transitions = {}) {
    Definition d;
    d.TNapisy = std::move(captions);
    d.TPrzeniki = std::move(transitions);
    TEkr screen;
    for (int32_t i = 0; i < int32_t(d.TNapisy.size()); ++i) screen.Captions.Add(i);
    d.TEkrany = {screen};
    TMed page;
    page.Screen = 0;
    d.TMedia = {page};
    host_.Load(std::move(d));
    host_.display.ShowPage();
    host_.display.ComposePage();
  }
  void Wait(int64_t ms) {
    platform::VirtualClock& clock = host_.backend.Virtual();
    platform::EventLoop& loop = host_.backend.Loop();
    const int64_t until = clock.NowMs() + ms;
    while (loop.NextTimerDue() <= until) {
      clock.AdvanceTo(loop.NextTimerDue());
      loop.ProcessMessages();
    }
    clock.AdvanceTo(until);
  }
  const Bitmap& Back() { return host_.display.BackBuffer; }
  const Bitmap& Window() { return host_.window.surface; }

  FakeEngineHost host_;
  TNapisy* captions_ = nullptr;
};

TEST_F(Captions, HeightZeroFitsTheBoxToTheWrappedText) {
  ShowPage({Caption()});
  const Rect box = captions_->BoxOf(0);
  const platform::Font font =
      host_.backend.Fonts().CreateFont({"Arial", 12, false, false, false, false, 1});
  const Rect wrapped = platform::CalcTextRect(font, kText, {0, 0, 100, 0}, platform::kDtWordBreak);
  EXPECT_EQ(box, (Rect{20, 10, 120, 10 + int32_t(wrapped.Height())}));
  EXPECT_GT(wrapped.Height(), 2 * font.Metrics().height) << "the text wraps";
  // Only letters are painted, in the caption's colour; the rest of the box stays as it was.
  const Rect ink = BoundsOf(Back(), kRed);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(ink.Intersect(box), ink);
  for (int32_t y = 0; y < 100; ++y) {
    for (int32_t x = 0; x < 200; ++x) {
      const Pixel p = Back().At(x, y);
      ASSERT_TRUE(p == kRed || p == 0) << x << "," << y;
    }
  }
}

TEST_F(Captions, HeightIsAPercentageOfTheClientForPlaceAndSize) {
  TNap centred = Caption();
  centred.X = -2;
  centred.Y = -2;
  centred.H = 50;
  TNap right = Caption();
  right.X = -1;
  right.Y = -1;
  right.W = 30;
  ShowPage({centred, right});
  EXPECT_EQ(captions_->BoxOf(0), (Rect{50, 25, 150, 75}));
  // H 0 with Y -1: the top edge at the bottom of the window, so nothing of it shows.
  EXPECT_TRUE(captions_->BoxOf(1).IsEmpty());
  // Centred lines: the ink is as far from the box's left as from its right.
  const Rect ink = BoundsOf(Back(), kRed).Intersect({50, 25, 150, 75});
  EXPECT_NEAR(ink.left - 50, 150 - ink.right, 6);
}

TEST_F(Captions, RightAlignedLinesEndAtTheBoxEdge) {
  TNap nap = Caption();
  nap.X = -1;
  nap.Y = 0;
  ShowPage({nap});
  const Rect ink = BoundsOf(Back(), kRed);
  EXPECT_EQ(captions_->BoxOf(0).right, 200);
  EXPECT_GE(ink.right, 196);
  EXPECT_GE(ink.left, 100);
}

TEST_F(Captions, TextureFillsTheLettersStretchedOverTheBox) {
  TNap nap = Caption();
  nap.TextureFile = "faktura.bmp";
  Bitmap texture(2, 1, 0x00FF00);
  texture.Set(1, 0, 0x0000FF);
  host_.assets.pictures["faktura.bmp"] = texture;
  ShowPage({nap});
  const Rect box = captions_->BoxOf(0);
  const Rect green = BoundsOf(Back(), 0x00FF00);
  const Rect blue = BoundsOf(Back(), 0x0000FF);
  ASSERT_FALSE(green.IsEmpty());
  ASSERT_FALSE(blue.IsEmpty());
  EXPECT_LT(green.right, box.left + 51);
  EXPECT_GE(blue.left, box.left + 50);
  EXPECT_TRUE(BoundsOf(Back(), kRed).IsEmpty());
}

TEST_F(Captions, OnlyThePartInsideTheWindowIsDrawn) {
  TNap wide = Caption();
  wide.X = -3;
  wide.W = 1000000;  // a box of two million pixels across
  wide.H = 30;
  ShowPage({wide});
  EXPECT_EQ(captions_->BoxOf(0), (Rect{0, 10, 200, 40}));
  const Rect ink = BoundsOf(Back(), kRed);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LT(ink.left, 5) << "the lines start at the box's left edge";
}

TEST_F(Captions, AnEffectRunsOverTheWholeBoxAlsoWhereItReachesPastTheWindow) {
  TNap low = Caption();
  low.X = 0;
  low.Y = 50;
  low.W = 100;
  low.H = 100;  // the box (0, 50, 200, 150), half below the 200 x 100 window
  low.TransitionIn = 0;
  TPrz zoom;
  zoom.Kind = 10;
  zoom.Steps = 2;
  ShowPage({low}, {zoom});
  EXPECT_EQ(captions_->BoxOf(0), (Rect{0, 50, 200, 150}));
  std::vector<Bitmap> steps;
  host_.window.on_present = [&] { steps.push_back(Window()); };
  host_.display.PaintFromBuffer();
  host_.display.StartPage();
  ASSERT_EQ(steps.size(), 2u);
  // The second step fills half the box around its centre (100, 100): (50, 75, 150, 125).
  const Rect ink = BoundsOf(steps[1], kRed);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.top, 75);
  EXPECT_GE(ink.left, 50);
  EXPECT_LE(ink.right, 150);
  // The final draw: the box's upper half, the letters at its top.
  EXPECT_LT(BoundsOf(Window(), kRed).top, 60);
}

TEST_F(Captions, MissingFilesDrawNothing) {
  TNap no_file = Caption();
  no_file.FileName = "brak.txt";
  TNap no_texture = Caption();
  no_texture.TextureFile = "brak.bmp";
  TNap empty = Caption();
  empty.FileName = "";
  ShowPage({no_file, no_texture, empty});
  host_.display.StartPage();
  EXPECT_TRUE(testing::AllIn(Back(), Back().Bounds(), 0));
  EXPECT_TRUE(testing::AllIn(Window(), Window().Bounds(), 0));
}

TEST_F(Captions, ARealAppearEffectWaitsForStartAndAStayRestoresTheBackground) {
  TNap nap = Caption();
  nap.TransitionIn = 0;
  nap.DurationMs = 2000;
  TPrz wipe;
  wipe.Kind = 1;
  wipe.Steps = 2;
  ShowPage({nap}, {wipe});
  EXPECT_TRUE(BoundsOf(Back(), kRed).IsEmpty()) << "not in the composed page";
  host_.display.PaintFromBuffer();
  host_.display.StartPage();
  EXPECT_FALSE(BoundsOf(Window(), kRed).IsEmpty());
  Wait(1999);
  EXPECT_FALSE(BoundsOf(Window(), kRed).IsEmpty());
  Wait(1);
  EXPECT_TRUE(BoundsOf(Window(), kRed).IsEmpty());
}

TEST_F(Captions, ADelayedCaptionAppearsOnItsTimer) {
  TNap nap = Caption();
  nap.DelayMs = 500;
  TNap never = Caption();
  never.DelayMs = -1;
  never.Y = 60;
  ShowPage({nap, never});
  host_.display.PaintFromBuffer();
  host_.display.StartPage();
  EXPECT_TRUE(BoundsOf(Window(), kRed).IsEmpty());
  Wait(500);
  const Rect ink = BoundsOf(Window(), kRed);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(ink.Intersect(captions_->BoxOf(0)), ink) << "the other never appears";
}

TEST_F(Captions, PreloadWarmsTheFileAndTheTexture) {
  TNap nap = Caption();
  nap.TextureFile = "faktura.bmp";
  ShowPage({nap});
  captions_->Preload(0);
  EXPECT_EQ(host_.assets.warmed, (std::vector<std::string>{"napis.txt", "faktura.bmp"}));
}

TEST_F(Captions, PicturesTheBudgetRefusesShowNothingAndAreNotLaidOutAgain) {
  std::vector<TNap> naps;
  for (int i = 0; i < 4; ++i) {
    naps.push_back(Caption());
    naps.back().FileName = "napis" + std::to_string(i) + ".txt";
    naps.back().H = 40;  // a box of 100 x 40
    host_.assets.files[naps.back().FileName] = kText + std::to_string(i);
  }
  const uint64_t one = 2 * platform::PictureBytes(100, 40);
  platform::MemoryBudget& budget = host_.backend.Memory();
  // Room besides for the glyphs a caption holds while it is drawn, not for a third caption.
  budget.SetLimit(budget.Used() + 2 * one + one / 4);
  ShowPage(naps);
  EXPECT_EQ(budget.Used(), 2 * one) << "face and mask of the first two";
  EXPECT_EQ(host_.assets.warnings.size(), 2u);
  EXPECT_NE(host_.assets.warnings[0].find("refused"), std::string::npos);
  // The page again, and again: what did not fit is neither read nor warned about anew.
  for (int i = 0; i < 3; ++i) {
    host_.display.HidePage();
    EXPECT_EQ(budget.Used(), 0u);
    const size_t files_read_before = host_.assets.reads;
    host_.display.ShowPage();
    EXPECT_EQ(host_.assets.reads - files_read_before, 2u);
  }
  EXPECT_EQ(host_.assets.warnings.size(), 2u);
  // Room again: every caption comes.
  host_.display.HidePage();
  budget.SetLimit(platform::kMemoryBudgetBytes);
  host_.display.ShowPage();
  EXPECT_EQ(budget.Used(), 4 * one);
  host_.display.HidePage();
  EXPECT_EQ(budget.Used(), 0u);
}

TEST_F(Captions, CaptionsDrawnAlikeShareTheirPictures) {
  TNap nap = Caption();
  nap.H = 40;
  TNap other = nap;
  other.Colour = 0x00FF00;
  ShowPage({nap, nap, nap, other});
  EXPECT_EQ(host_.backend.Memory().Used(), 4 * platform::PictureBytes(100, 40))
      << "one face and mask for the three alike, one for the other colour";
  EXPECT_FALSE(BoundsOf(Back(), platform::Rgb(0, 255, 0)).IsEmpty());
  host_.display.HidePage();
  EXPECT_EQ(host_.backend.Memory().Used(), 0u);
}

TEST(CaptionText, DecodedByTheFontsCharacterSetUpToTheFirstZero) {
  EXPECT_EQ(DecodeCaptionText("\xb9\xe6", 238, 1252), "ąć");
  EXPECT_EQ(DecodeCaptionText("\xcf\xf0\xe8", 204, 1250), "При");
  EXPECT_EQ(DecodeCaptionText("\xe9", 0, 1250), "é");
  EXPECT_EQ(DecodeCaptionText("\xb9", 1, 1250), "ą") << "DEFAULT_CHARSET: the presentation's";
  EXPECT_EQ(DecodeCaptionText("\xe1", 161, 1250), "α");
  EXPECT_EQ(DecodeCaptionText("\x82\xa0", 128, 1250), "あ");
  EXPECT_EQ(DecodeCaptionText(std::string_view("ab\0cd", 5), 1, 1250), "ab");
  // Only the low byte counts.
  EXPECT_EQ(DecodeCaptionText("\xb9", 0x1EE, 1252), "ą");
}

}  // namespace
}  // namespace velmorant
