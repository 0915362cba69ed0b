// Sandwiches: layers painted over the background they cover, stretched to the first layer's size
// and cut out by their masks, switched by the control map's buttons, remembered between visits.
#include <gtest/gtest.h>

#include "unit/engine/element_page.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::ElementPage;

constexpr Pixel kBase = 0x2040C0;
constexpr Pixel kMiddle = 0x20C040;
constexpr Pixel kTop = 0xC02040;
constexpr Rect kRect{16, 12, 32, 28};  // X 25, Y 25 of 64 x 48, the base layer's own 16 x 16

// A mask of `size` x `size` that shows (black) only the given quarter-square at (x, y).
Bitmap QuarterMask(int32_t size, int32_t x, int32_t y) {
  Bitmap mask(size, size, 0xFFFFFF);
  const int32_t half = size / 2;
  for (int32_t r = y * half; r < (y + 1) * half; ++r) {
    for (int32_t c = x * half; c < (x + 1) * half; ++c) mask.Set(c, r, 0);
  }
  return mask;
}

class Sandwiches : public ::testing::Test {
 protected:
  // A masked base layer (its top-left quarter), a small masked middle layer stretched to the
  // base's size (its top-right quarter) and a top layer that starts off (its bottom-left quarter),
  // each switched by its own button of control map 0.
  Sandwiches() {
    page_.Picture("base", 16, 16, kBase);
    page_.Picture("middle", 4, 4, kMiddle);
    page_.Picture("top", 16, 16, kTop);
    page_.host.assets.masks.emplace("base", QuarterMask(16, 0, 0));
    page_.host.assets.masks.emplace("middle", QuarterMask(4, 1, 0));
    page_.host.assets.masks.emplace("top", QuarterMask(16, 0, 1));
    definition_.TMapy = {page_.Buttons(4)};
    TSan sandwich;
    sandwich.X = sandwich.Y = 25;
    sandwich.Width = sandwich.Height = 0;
    sandwich.ControlMapIndex = 0;
    sandwich.Layers = {TWar{0, "base", 1, 0}, TWar{0, "middle", 1, 1}, TWar{0, "top", 0, 2},
                       TWar{0, "", 1, 3}};
    definition_.TSandwicze = {sandwich};
    definition_.TEkrany[0].Sandwiches = {0};
  }

  void Open() {
    page_.Load(definition_);
    page_.Open();
  }
  Rect Quarter(int32_t x, int32_t y) const {
    return {kRect.left + 8 * x, kRect.top + 8 * y, kRect.left + 8 * x + 8, kRect.top + 8 * y + 8};
  }
  // What the window shows in the sandwich's four quarters, ground where only the background is.
  std::vector<Pixel> Quarters() const {
    std::vector<Pixel> out;
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
      const Rect q = Quarter(x, y);
      out.push_back(page_.GroundIn(q) ? 0 : page_.Window().At(q.left, q.top));
      EXPECT_TRUE(out.back() == 0 || AllIn(page_.Window(), q, out.back()));
    }
    return out;
  }

  Definition definition_ = ElementPage::OnePage();
  ElementPage page_;
};

TEST_F(Sandwiches, LayersThatAreOnArePaintedThroughTheirMasksAndSwitchedByTheirButtons) {
  Open();
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, kMiddle, 0, 0}));
  page_.Click(0, 2);
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, kMiddle, kTop, 0}));
  // Switched off again, the background it alone covered shows through.
  page_.Click(0, 2);
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, kMiddle, 0, 0}));
  page_.Click(0, 0);
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{0, kMiddle, 0, 0}));
  EXPECT_TRUE(page_.GroundIn({0, 4, 64, 12}));
  // Repaints reach the back buffer too, so that the window repaints with them.
  EXPECT_TRUE(AllIn(page_.BackBuffer(), Quarter(1, 0), kMiddle));
  // The button of a layer without a picture changes nothing.
  const Bitmap before = page_.Window();
  page_.Click(0, 3);
  EXPECT_EQ(page_.Window(), before);
  EXPECT_EQ(page_.host.window.close_requests, 0);
}

TEST_F(Sandwiches, ALayerWithoutAMaskHidesEverythingBelowIt) {
  page_.host.assets.masks.erase("middle");
  Open();
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kMiddle, kMiddle, kMiddle, kMiddle}));
}

TEST_F(Sandwiches, LayersKeepWhetherTheyAreOnFromOneVisitToTheNext) {
  Open();
  page_.Click(0, 2);
  page_.Click(0, 1);
  page_.Leave();
  page_.Open();
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, 0, kTop, 0}));
}

TEST_F(Sandwiches, WithoutAFirstPictureItDrawsNothingAndClaimsNoButtons) {
  for (const char* first : {"", "missing", "no layers"}) {
    SCOPED_TRACE(first);
    Definition d = definition_;
    d.TSandwicze[0].Layers[0].FileName = first;
    if (first == std::string("no layers")) d.TSandwicze[0].Layers.clear();
    d.TSandwicze[0].MapIndex = 0;
    ElementPage page;
    page.host.assets.pictures = page_.host.assets.pictures;
    page.Load(d);
    page.Open();
    EXPECT_TRUE(page.GroundEverywhere());
    EXPECT_TRUE(page.host.display.Regions.empty());
  }
}

TEST_F(Sandwiches, TheInnerMapTakesTheSandwichsSizeAndStaysOnTopOfTheLayers) {
  constexpr Pixel kInner = 0x808000;
  page_.Picture("inner", 4, 4, kInner);
  page_.host.assets.masks.emplace("inner", QuarterMask(4, 1, 1));
  TMap inner;
  inner.FileName = "inner";
  inner.UseMask = 1;
  inner.X = inner.Y = 25;
  inner.Width = inner.Height = 0;
  definition_.TMapy.push_back(inner);
  definition_.TSandwicze[0].MapIndex = 1;
  definition_.TRamki = {TRam{"ring", 1, 0x0000FF, 1, ""}};
  definition_.TSandwicze[0].FrameIndex = 0;
  Open();
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, kMiddle, 0, kInner}));
  page_.Click(0, 2);
  EXPECT_EQ(Quarters(), (std::vector<Pixel>{kBase, kMiddle, kTop, kInner}));
  EXPECT_EQ(page_.Window().At(kRect.left - 1, kRect.top - 1), 0xFF0000u);  // the ring
}

}  // namespace
}  // namespace velmorant
