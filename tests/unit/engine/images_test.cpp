// Images on a page: composed with it or coming in after its transition, timed or driven by their
// map's buttons, masked, stretched and framed, and going again without a trace.
#include <gtest/gtest.h>

#include "unit/engine/element_page.hpp"

namespace velmorant {
namespace {

using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::ElementPage;

constexpr Pixel kInk = 0xE03010;
constexpr Rect kPlaced{16, 12, 26, 22};  // X 25, Y 25 of 64 x 48, the picture's own 10 x 10

class Images : public ::testing::Test {
 protected:
  Images() { page_.Picture("image", 10, 10, kInk); }

  // One image on the page, at 25 %, 25 %.
  TObr& AddImage() {
    TObr image;
    image.FileName = "image";
    image.X = 25;
    image.Y = 25;
    definition_.TObrazy.push_back(image);
    definition_.TEkrany[0].Images.Add(int32_t(definition_.TObrazy.size()) - 1);
    return definition_.TObrazy.back();
  }
  // Map 0 with two buttons in the corner, which the image takes as its show and hide buttons.
  void AddButtons(TObr& image) {
    definition_.TMapy = {page_.Buttons(2)};
    image.MapIndex = 0;
    image.ShowRegion = 0;
    image.HideRegion = 1;
    image.VisibleAtStart = 0;
  }
  void Open() {
    page_.Load(definition_);
    page_.Open();
  }
  bool InkShown() const { return AllIn(page_.Window(), kPlaced, kInk); }
  bool GroundAroundButtons() const { return page_.GroundIn({0, 4, 64, 48}); }

  // An image without a picture owns no timer and draws nothing; its map and buttons still work.
  void ExpectOnlyButtons(const std::string& file) {
    TObr& image = AddImage();
    AddButtons(image);
    image.FileName = file;
    image.DelayMs = 100;
    image.DurationMs = 100;
    Open();
    EXPECT_TRUE(page_.TimersIdle());
    page_.Click(0, 0);
    page_.Wait(500);
    page_.Click(0, 1);
    EXPECT_TRUE(GroundAroundButtons());
    EXPECT_FALSE(page_.host.display.Regions.empty());
    EXPECT_EQ(page_.host.window.close_requests, 0);
  }

  Definition definition_ = ElementPage::OnePage();
  ElementPage page_;
};

TEST_F(Images, WithoutAnEffectTheImageIsPartOfTheComposedPage) {
  AddImage();
  page_.Load(definition_);
  TDisplay& display = page_.host.display;
  display.ShowPage();
  display.ComposePage();
  EXPECT_TRUE(AllIn(page_.BackBuffer(), kPlaced, kInk));
  display.StartPage();
  EXPECT_TRUE(InkShown());
}

TEST_F(Images, WithAnEffectTheImageComesInAfterThePageTransition) {
  definition_.TPrzeniki = {TPrz{"wipe", 3, 5, 4}};
  AddImage().TransitionIn = 0;
  page_.Load(definition_);
  TDisplay& display = page_.host.display;
  display.ShowPage();
  display.ComposePage();
  EXPECT_FALSE(AllIn(page_.BackBuffer(), kPlaced, kInk));
  const int64_t before = page_.Now();
  display.StartPage();
  EXPECT_TRUE(InkShown());
  // Its four wipe steps, and its final picture in the back buffer for repaints.
  EXPECT_EQ(page_.Now() - before, 20);
  EXPECT_TRUE(AllIn(page_.BackBuffer(), kPlaced, kInk));
}

TEST_F(Images, AppearsAfterItsDelayAndGoesAfterItsDurationRestoringWhatWasBeneath) {
  definition_.TRamki = {TRam{"ring", 2, 0x0000FF, 1, ""}};
  TObr& image = AddImage();
  image.VisibleAtStart = 0;
  image.DelayMs = 2000;
  image.DurationMs = 1000;
  image.FrameIndex = 0;
  Open();
  page_.WaitUntil(1999);
  EXPECT_TRUE(page_.GroundEverywhere());
  page_.WaitUntil(2000);
  EXPECT_TRUE(InkShown());
  EXPECT_FALSE(page_.GroundIn({14, 10, 28, 24}));  // framed
  page_.WaitUntil(2999);
  EXPECT_TRUE(InkShown());
  page_.WaitUntil(3000);
  EXPECT_TRUE(page_.GroundEverywhere());
  EXPECT_TRUE(page_.TimersIdle());
}

TEST_F(Images, VisibleAtStartGoesAfterItsDuration) {
  AddImage().DurationMs = 3000;
  Open();
  EXPECT_TRUE(InkShown());
  page_.WaitUntil(2999);
  EXPECT_TRUE(InkShown());
  page_.WaitUntil(3000);
  EXPECT_TRUE(page_.GroundEverywhere());
}

TEST_F(Images, ButtonsShowAndHideItAndNeverLeaveThePage) {
  AddButtons(AddImage());
  Open();
  EXPECT_TRUE(GroundAroundButtons());
  page_.Click(0, 0);
  EXPECT_TRUE(InkShown());
  // Shown twice, it must not save itself as what lies beneath it.
  page_.Click(0, 0);
  page_.Click(0, 1);
  EXPECT_TRUE(GroundAroundButtons());
  // Hidden twice, it must not paint an old backdrop over what is there now.
  page_.host.window.surface.Set(20, 15, kInk);
  page_.Click(0, 1);
  EXPECT_EQ(page_.Window().At(20, 15), kInk);
  EXPECT_EQ(page_.host.window.close_requests, 0);
}

TEST_F(Images, WithoutAFileNameItDrawsNothingButItsButtonsStillWork) {
  ExpectOnlyButtons("");
}

TEST_F(Images, WithAMissingPictureItDrawsNothingButItsButtonsStillWork) {
  ExpectOnlyButtons("missing");
}

TEST_F(Images, AMapOrButtonOutsideItsTableIsSkipped) {
  TObr& image = AddImage();
  image.MapIndex = 3;
  image.ShowRegion = 0;
  TObr& other = AddImage();
  AddButtons(other);
  other.VisibleAtStart = 1;
  other.ShowRegion = 7;
  other.HideRegion = -5;
  Open();
  EXPECT_TRUE(InkShown());
  page_.Click(0, 0);  // still the map's own button: it leaves the page
  EXPECT_EQ(page_.host.window.close_requests, 1);
}

TEST_F(Images, LeavingThePageDisarmsItsTimerAndTheNextVisitStartsAfresh) {
  TObr& image = AddImage();
  image.VisibleAtStart = 0;
  image.DelayMs = 1000;
  Open();
  page_.Leave();
  EXPECT_TRUE(page_.TimersIdle());
  page_.Open();
  page_.WaitUntil(1000);
  EXPECT_TRUE(InkShown());
}

TEST_F(Images, AMaskLetsTheBackgroundThroughAndAStretchFillsThePlacedSize) {
  TObr& image = AddImage();
  image.Masked = 1;
  image.W = 50;  // 32 of 64 pixels wide, the picture's own 10 high
  platform::Bitmap mask(10, 10, 0xFFFFFF);
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 5; x < 10; ++x) mask.Set(x, y, 0);
  }
  page_.host.assets.masks.emplace("image", mask);
  Open();
  EXPECT_TRUE(page_.GroundIn({16, 12, 32, 22}));
  EXPECT_TRUE(AllIn(page_.Window(), {32, 12, 48, 22}, kInk));
  EXPECT_TRUE(page_.GroundIn({48, 0, 64, 48}));
}

}  // namespace
}  // namespace velmorant
