#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/colour.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_text_view.hpp"
#include "platform/text/rtf_reader.hpp"
#include "platform/text/scroll_bar.hpp"

namespace velmorant::platform {
namespace {

constexpr uint16_t kVkDown = 40;
constexpr uint16_t kVkNext = 34;
constexpr uint16_t kVkEnd = 35;
constexpr uint16_t kVkHome = 36;

RichDocument Lines(int count) {
  std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (int i = 0; i < count; ++i) rtf += "line " + std::to_string(i) + "\\par ";
  rtf += "}";
  return *ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()});
}

class RichTextViewTest : public ::testing::Test {
 protected:
  RichTextView& View(int lines, Rect bounds = {10, 20, 210, 120}) {
    view.SetDocument(Lines(lines));
    view.SetBounds(bounds);
    view.SetVisible(true);
    return view;
  }
  int32_t LineHeight() const { return view.ContentHeight() / lines_; }

  FontEngine engine;
  RichTextView view{engine};
  int lines_ = 0;
};

TEST_F(RichTextViewTest, ScrollBarOnlyWhenTheTextIsTallerThanTheView) {
  View(2);
  EXPECT_FALSE(view.HasScrollBar());
  EXPECT_EQ(view.MaxScroll(), 0);
  view.ScrollLines(5);
  EXPECT_EQ(view.ScrollPosition(), 0);
  View(40);
  EXPECT_TRUE(view.HasScrollBar());
  EXPECT_EQ(view.MaxScroll(), view.ContentHeight() - 100);
  // The bar's right edge column is drawn, the text area's is background.
  const Bitmap& picture = view.Picture();
  EXPECT_NE(picture.At(199, 5), kWhite);
  EXPECT_EQ(picture.At(200 - VerticalScrollBar::kWidth - 1, 99), kWhite);
}

TEST_F(RichTextViewTest, WheelKeysAndBarScrollByLinesAndPages) {
  View(40);
  lines_ = 40;
  const int32_t line = LineHeight();
  view.OnWheel(-120);
  EXPECT_EQ(view.ScrollPosition(), 3 * line);
  view.OnWheel(60);
  view.OnWheel(60);  // half notches add up
  EXPECT_EQ(view.ScrollPosition(), 0);
  uint16_t key = kVkDown;
  view.OnKeyDown(key);
  EXPECT_EQ(key, 0) << "consumed";
  EXPECT_EQ(view.ScrollPosition(), line);
  key = kVkNext;
  view.OnKeyDown(key);
  EXPECT_EQ(view.ScrollPosition(), line + 100);
  key = kVkEnd;
  view.OnKeyDown(key);
  EXPECT_EQ(view.ScrollPosition(), view.MaxScroll());
  key = kVkHome;
  view.OnKeyDown(key);
  EXPECT_EQ(view.ScrollPosition(), 0);
  key = 65;
  view.OnKeyDown(key);
  EXPECT_EQ(key, 65) << "not for the view";
  // The bar's down arrow, then the track below the thumb.
  view.OnMouseDown(MouseButton::kLeft, 195, 95);
  EXPECT_EQ(view.ScrollPosition(), line);
  view.OnMouseDown(MouseButton::kLeft, 195, 70);
  EXPECT_EQ(view.ScrollPosition(), line + 100);
}

TEST_F(RichTextViewTest, ScrolledPictureIsTheFreshlyDrawnOne) {
  View(60);
  lines_ = 60;
  (void)view.Picture();
  for (int step : {1, 2, -1, 5, -3, 7}) {
    view.ScrollLines(step);
    const Bitmap moved = view.Picture();
    RichTextView fresh(engine);
    fresh.SetDocument(Lines(60));
    fresh.SetBounds({10, 20, 210, 120});
    fresh.ScrollTo(view.ScrollPosition());
    EXPECT_EQ(moved, fresh.Picture()) << "after " << step;
  }
}

TEST_F(RichTextViewTest, PointsAndClicksAreTheOwnersInClientCoordinates) {
  View(40);
  lines_ = 40;
  Point moved{-1, -1};
  Point pressed{-1, -1};
  view.on_mouse_move = [&](int32_t x, int32_t y) { moved = {x, y}; };
  view.on_mouse_down = [&](MouseButton, int32_t x, int32_t y) { pressed = {x, y}; };
  view.OnMouseMove(5, 6);
  view.OnMouseDown(MouseButton::kLeft, 7, 8);
  EXPECT_EQ(moved, (Point{5, 6}));
  EXPECT_EQ(pressed, (Point{7, 8}));
  // Over the scroll bar the pointer is the arrow and the owner hears nothing.
  view.SetCursor(kCrMultiDrag);
  view.OnMouseMove(195, 50);
  EXPECT_EQ(moved, (Point{5, 6}));
  EXPECT_EQ(view.Cursor(), kCrArrow);
  view.OnMouseMove(5, 6);
  EXPECT_EQ(view.Cursor(), kCrMultiDrag);
  // Characters under a point follow the scrolling.
  const int32_t top_char = view.CharFromPos({3, 1});
  view.ScrollLines(2);
  EXPECT_GT(view.CharFromPos({3, 1}), top_char);
  EXPECT_EQ(view.CharFromPos({3, 1}), 14);  // "line 2" starts after two lines of 7 characters
}

TEST_F(RichTextViewTest, PaintsItsBackgroundAtItsPlaceClippedToTheWindow) {
  View(1, {-5, 30, 45, 60});
  view.SetBackground(0x336699);
  Bitmap window(40, 40, 0);
  view.PaintOnto(window);
  EXPECT_EQ(window.At(0, 30), 0x336699u);
  EXPECT_EQ(window.At(39, 39), 0x336699u);
  EXPECT_EQ(window.At(0, 29), 0u);
}

}  // namespace
}  // namespace velmorant::platform
