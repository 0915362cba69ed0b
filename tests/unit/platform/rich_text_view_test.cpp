#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/colour.hpp"
#include "platform/loop/clock.hpp"
#include "platform/loop/event_loop.hpp"
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
  view.OnKeyDown(key, {});
  EXPECT_EQ(key, 0) << "consumed";
  EXPECT_EQ(view.ScrollPosition(), line);
  key = kVkNext;
  view.OnKeyDown(key, {});
  EXPECT_EQ(view.ScrollPosition(), line + 100);
  key = kVkEnd;
  view.OnKeyDown(key, {});
  EXPECT_EQ(view.ScrollPosition(), view.MaxScroll());
  key = kVkHome;
  view.OnKeyDown(key, {});
  EXPECT_EQ(view.ScrollPosition(), 0);
  key = 65;
  view.OnKeyDown(key, {});
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
  view.on_mouse_down = [&](MouseButton, int32_t x, int32_t y) {
    pressed = {x, y};
    return true;
  };
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

// The control's selection, copy, thumb and held buttons, on a virtual clock.
class RichTextControl : public ::testing::Test {
 protected:
  RichTextControl() {
    view.SetDocument(Lines(40));
    view.SetBounds({0, 0, 200, 100});
    view.SetVisible(true);
  }
  void Wait(int64_t ms) {
    const int64_t until = clock.NowMs() + ms;
    while (loop.NextTimerDue() <= until) {
      clock.AdvanceTo(loop.NextTimerDue());
      loop.ProcessMessages();
    }
    clock.AdvanceTo(until);
  }
  int32_t Line() const { return view.ContentHeight() / 40; }
  // Where character p of the text stands, in the view's client pixels.
  Point At(int32_t line, int32_t column) const {
    return {RichTextView::kInset + 1 + column * 6, line * Line() + Line() / 2};
  }

  FontEngine engine;
  VirtualClock clock;
  EventLoop loop{clock};
  MemoryClipboard clipboard;
  RichTextView view{engine, &loop, &clipboard};
};

TEST_F(RichTextControl, DraggingSelectsInvertedAndCtrlCCopiesTheText) {
  const Bitmap before = view.Picture();
  // From the start of "line 1" to the middle of "line 2": each line is 7 characters.
  view.OnMouseDown(MouseButton::kLeft, 0, At(1, 0).y);
  view.OnMouseMove(0, At(2, 0).y);
  view.OnMouseMove(view.Picture().Width() / 2, At(2, 0).y);
  view.OnMouseUp(MouseButton::kLeft, 0, 0);
  view.OnMouseMove(0, 0);  // released: moves select nothing more
  const TextSelection s = view.Selection();
  EXPECT_EQ(s.Start(), 7);
  EXPECT_EQ(s.End(), 7 + 7 + 6) << "the whole of line 1 and line 2 up to its end";
  // Inverted where selected, untouched elsewhere.
  const Bitmap& after = view.Picture();
  EXPECT_EQ(after.At(2, At(1, 0).y), before.At(2, At(1, 0).y) ^ 0xFFFFFFu);
  EXPECT_EQ(after.At(2, At(0, 0).y), before.At(2, At(0, 0).y));
  uint16_t key = 67;
  view.OnKeyDown(key, {});
  EXPECT_EQ(clipboard.Text(), "") << "C alone copies nothing";
  view.OnKeyDown(key, {.ctrl = true});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(clipboard.Text(), "line 1\nline 2");
}

TEST_F(RichTextControl, DoubleClickSelectsAWordAndCtrlASelectsAll) {
  const Point on_line = At(3, 1);  // in "line" of "line 3"
  view.OnMouseDown(MouseButton::kLeft, on_line.x, on_line.y);
  view.OnMouseUp(MouseButton::kLeft, on_line.x, on_line.y);
  Wait(RichTextView::kDoubleClickMs);
  view.OnMouseDown(MouseButton::kLeft, on_line.x, on_line.y);
  EXPECT_EQ(view.Selection(), (TextSelection{21, 26})) << "the word and the space after it";
  // Too slow: two single presses.
  view.OnMouseDown(MouseButton::kLeft, on_line.x, on_line.y);
  Wait(RichTextView::kDoubleClickMs + 1);
  view.OnMouseDown(MouseButton::kLeft, on_line.x, on_line.y);
  EXPECT_TRUE(view.Selection().Empty());
  uint16_t key = 65;
  view.OnKeyDown(key, {.ctrl = true});
  EXPECT_EQ(view.Selection().End(), int32_t(view.Document().Length()));
  view.Copy();
  EXPECT_EQ(clipboard.Text().substr(0, 14), "line 0\nline 1\n");
}

TEST_F(RichTextControl, APressTheOwnerTakesStartsNoSelection) {
  view.on_mouse_down = [](MouseButton, int32_t, int32_t) { return true; };
  view.OnMouseDown(MouseButton::kLeft, 2, At(1, 0).y);
  view.OnMouseMove(150, At(3, 0).y);
  EXPECT_TRUE(view.Selection().Empty());
}

TEST_F(RichTextControl, TheThumbFollowsTheDragAlsoPastTheBar) {
  ASSERT_TRUE(view.HasScrollBar());
  const Rect bar{200 - VerticalScrollBar::kWidth, 0, 200, 100};
  const Rect thumb =
      VerticalScrollBar(bar, view.ContentHeight(), 100, view.ScrollPosition()).Thumb();
  const int32_t x = bar.left + 5;
  view.OnMouseDown(MouseButton::kLeft, x, thumb.top + 2);
  view.OnMouseMove(x, thumb.top + 12);
  const int32_t moved = view.ScrollPosition();
  EXPECT_GT(moved, 0);
  EXPECT_EQ(VerticalScrollBar(bar, view.ContentHeight(), 100, moved).Thumb().top, thumb.top + 10);
  // Captured, the drag goes on outside the control, to the end and back to the start.
  view.OnMouseMove(-50, 1000);
  EXPECT_EQ(view.ScrollPosition(), view.MaxScroll());
  view.OnMouseMove(-50, -1000);
  EXPECT_EQ(view.ScrollPosition(), 0);
  view.OnMouseUp(MouseButton::kLeft, -50, -1000);
  view.OnMouseMove(x, 60);
  EXPECT_EQ(view.ScrollPosition(), 0);
}

TEST_F(RichTextControl, HeldArrowsRepeatAfterTheFirstDelayThenQuickly) {
  const Point down_arrow{195, 95};
  view.OnMouseDown(MouseButton::kLeft, down_arrow.x, down_arrow.y);
  EXPECT_EQ(view.ScrollPosition(), Line());
  Wait(RichTextView::kFirstRepeatMs - 1);
  EXPECT_EQ(view.ScrollPosition(), Line());
  Wait(1);
  EXPECT_EQ(view.ScrollPosition(), 2 * Line());
  Wait(2 * RichTextView::kRepeatMs);
  EXPECT_EQ(view.ScrollPosition(), 4 * Line());
  view.OnMouseUp(MouseButton::kLeft, down_arrow.x, down_arrow.y);
  Wait(1000);
  EXPECT_EQ(view.ScrollPosition(), 4 * Line());
}

TEST_F(RichTextControl, HeldTrackPagesUntilTheThumbReachesThePointer) {
  view.OnMouseDown(MouseButton::kLeft, 195, 60);
  EXPECT_EQ(view.ScrollPosition(), 100);
  Wait(5000);
  const Rect bar{200 - VerticalScrollBar::kWidth, 0, 200, 100};
  const Rect thumb =
      VerticalScrollBar(bar, view.ContentHeight(), 100, view.ScrollPosition()).Thumb();
  EXPECT_LT(view.ScrollPosition(), view.MaxScroll());
  EXPECT_LE(thumb.top, 60);
  EXPECT_GT(thumb.bottom, 60);
}

}  // namespace
}  // namespace velmorant::platform
