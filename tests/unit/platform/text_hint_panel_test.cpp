#include <gtest/gtest.h>

#include <set>

#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/hint_panel.hpp"

namespace velmorant::platform {
namespace {

class HintPanelTest : public ::testing::Test {
 protected:
  FontEngine engine_;
  Font font_ = engine_.CreateFont(HintFontRequest());
  int32_t line_height_ = font_.Metrics().height;
};

TEST_F(HintPanelTest, HintFontIsTheEightPointGuiSans) {
  EXPECT_EQ(font_.PixelsPerEm(), 11);
  EXPECT_EQ(font_.FamilyName(), engine_.CreateFont(FontRequest{}).FamilyName());
}

TEST_F(HintPanelTest, LabelWrapsAtItsMaximumWidth) {
  const Size one = HintLabelSize(font_, "Next page", 300);
  EXPECT_EQ(one, (Size{font_.TextExtent("Next page").width, line_height_}));

  const Size wrapped = HintLabelSize(font_, "Go to the next page of the show", 60);
  EXPECT_LE(wrapped.width, 60);
  EXPECT_GT(wrapped.height, line_height_);
  EXPECT_EQ(wrapped.height % line_height_, 0);

  // A word wider than the maximum widens the label.
  const Size wide = HintLabelSize(font_, "Incomprehensibilities", 20);
  EXPECT_EQ(wide, (Size{font_.TextExtent("Incomprehensibilities").width, line_height_}));
}

TEST_F(HintPanelTest, EmptyLabelMeasuresAsOneSpace) {
  EXPECT_EQ(HintLabelSize(font_, "", 100), (Size{font_.Advance(' '), line_height_}));
}

TEST_F(HintPanelTest, PanelIsFourPixelsLargerWithTheLabelAtTwoTwo) {
  const std::string text = "Przejdź do następnej strony";
  const Size label = HintLabelSize(font_, text, 80);
  const Bitmap panel = RenderHintPanel(font_, text, 80);
  EXPECT_EQ(panel.GetSize(), (Size{label.width + 4, label.height + 4}));

  const Pixel info_bk = Rgb(255, 255, 225);
  std::set<Pixel> colours(panel.Data(), panel.Data() + size_t(panel.Width()) * panel.Height());
  EXPECT_EQ(colours, (std::set<Pixel>{info_bk, kBlack}));
  // The two-pixel border stays clInfoBk; the text is the label's own drawing.
  for (int32_t x = 0; x < panel.Width(); ++x) {
    EXPECT_EQ(panel.At(x, 0), info_bk);
    EXPECT_EQ(panel.At(x, 1), info_bk);
  }
  Bitmap expected(panel.Width(), panel.Height(), info_bk);
  Rect label_rect{2, 2, 2 + label.width, 2 + label.height};
  DrawText(expected, font_, text, label_rect, kDtWordBreak | kDtExpandTabs, kBlack);
  EXPECT_EQ(panel, expected);
}

TEST_F(HintPanelTest, PanelWithoutFontsIsJustTheBorder) {
  const Bitmap panel = RenderHintPanel(Font(), "anything", 100);
  EXPECT_EQ(panel.GetSize(), (Size{4, 4}));
}

}  // namespace
}  // namespace velmorant::platform
