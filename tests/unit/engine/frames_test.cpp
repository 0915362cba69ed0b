#include "display/frames.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/gfx/colour.hpp"
#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::FakeDrawingContext;

constexpr Pixel kGround = 0x102030;
constexpr Pixel kBack = 0x405060;

TRam Style(int kind, int width, int32_t colour = 0xFFFFFF, std::string pattern = {}) {
  TRam r;
  r.Kind = uint8_t(kind);
  r.Width = width;
  r.Color = colour;
  r.PatternFile = std::move(pattern);
  return r;
}

Bitmap Column(const std::vector<Pixel>& colours) {
  Bitmap b(1, int32_t(colours.size()));
  for (size_t i = 0; i < colours.size(); ++i) b.Set(0, int32_t(i), colours[i]);
  return b;
}

// A picture with all pixels different, so that any change shows.
void Number(Bitmap& b) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) b.Set(x, y, Pixel(y * 4096 + x));
  }
}

TEST(Frames, RingOfPlainColourAndExactRestore) {
  FakeDrawingContext display(40, 40, kGround, kBack);
  Number(display.window);
  const Bitmap window_before = display.window;
  const Bitmap back_before = display.back_buffer;
  display.frame_styles = {Style(1, 3, 0x0000FF)};  // red as 0x00BBGGRR
  TRamkaRender frame(display, 0, {10, 10, 20, 20});
  ASSERT_EQ(frame.Width(), 3);
  frame.SaveBackground();
  frame.Draw(true);
  const Pixel red = platform::Rgb(255, 0, 0);
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const bool ring =
          Rect{7, 7, 23, 23}.Contains({x, y}) && !Rect{10, 10, 20, 20}.Contains({x, y});
      ASSERT_EQ(display.window.At(x, y), ring ? red : window_before.At(x, y)) << x << "," << y;
      ASSERT_EQ(display.back_buffer.At(x, y), ring ? red : kBack) << x << "," << y;
    }
  }
  frame.Draw(false);
  EXPECT_EQ(display.window, window_before);
  // The strips were saved from the window, which is what goes back into the back buffer too.
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const bool ring =
          Rect{7, 7, 23, 23}.Contains({x, y}) && !Rect{10, 10, 20, 20}.Contains({x, y});
      ASSERT_EQ(display.back_buffer.At(x, y), ring ? window_before.At(x, y) : back_before.At(x, y));
    }
  }
}

TEST(Frames, PatternRowZeroIsTheInnermostLine) {
  FakeDrawingContext display(40, 40, kGround);
  display.frame_styles = {Style(1, 3, 0, "bevel.bmp")};
  display.patterns["bevel.bmp"] =
      std::make_shared<const Bitmap>(Column({0x0000A0, 0x0000B0, 0x0000C0}));
  TRamkaRender frame(display, 0, {10, 10, 20, 20});
  frame.Draw(true);
  EXPECT_EQ(display.window.At(9, 15), 0x0000A0u);
  EXPECT_EQ(display.window.At(8, 15), 0x0000B0u);
  EXPECT_EQ(display.window.At(7, 15), 0x0000C0u);
  EXPECT_EQ(display.window.At(20, 15), 0x0000A0u);
  EXPECT_EQ(display.window.At(22, 22), 0x0000C0u);
  EXPECT_EQ(display.window.At(7, 7), 0x0000C0u);
  EXPECT_EQ(display.window.At(15, 20), 0x0000A0u);
}

TEST(Frames, ShortPatternRepeatsItsLastRow) {
  FakeDrawingContext display(40, 40, kGround);
  display.frame_styles = {Style(1, 4, 0, "two.bmp"), Style(1, 2, 0, "none.bmp")};
  display.patterns["two.bmp"] = std::make_shared<const Bitmap>(Column({0x000011, 0x000022}));
  display.patterns["none.bmp"] = std::make_shared<const Bitmap>(Bitmap());
  TRamkaRender frame(display, 0, {10, 10, 20, 20});
  frame.Draw(true);
  EXPECT_EQ(display.window.At(9, 15), 0x000011u);
  EXPECT_EQ(display.window.At(8, 15), 0x000022u);
  EXPECT_EQ(display.window.At(7, 15), 0x000022u);
  EXPECT_EQ(display.window.At(6, 15), 0x000022u);
  TRamkaRender empty_pattern(display, 1, {30, 30, 35, 35});
  empty_pattern.Draw(true);
  EXPECT_EQ(display.window.At(29, 32), platform::kBlack);
  EXPECT_EQ(display.window.At(28, 32), platform::kBlack);
}

TEST(Frames, BottomRightShadowStopsShortOfTheFarCorners) {
  FakeDrawingContext display(260, 220, kGround);
  const Pixel line0 = 0x0000AA;
  display.frame_styles = {Style(4, 5, 0, "shadow.bmp")};
  display.patterns["shadow.bmp"] =
      std::make_shared<const Bitmap>(Column({line0, 0x1, 0x2, 0x3, 0x4}));
  TRamkaRender frame(display, 0, {100, 100, 200, 150});
  frame.Draw(true);
  for (int32_t y = 0; y < 220; ++y) {
    for (int32_t x = 0; x < 260; ++x) {
      const bool on_line0 =
          (x == 200 && y >= 104 && y <= 150) || (y == 150 && x >= 105 && x <= 200);
      ASSERT_EQ(display.window.At(x, y) == line0, on_line0) << x << "," << y;
    }
  }
  EXPECT_EQ(display.window.At(104, 150), kGround);  // the end point is not drawn
}

TEST(Frames, EdgeKindsDrawTheirTwoSides) {
  const Rect element{20, 20, 40, 40};
  // kind -> a pixel on line 0 of each of its two sides, and the opposite corner left alone.
  struct Case {
    int kind;
    platform::Point side_a, side_b, untouched;
  };
  for (const Case& c :
       {Case{2, {19, 30}, {30, 19}, {40, 40}}, Case{3, {30, 19}, {40, 30}, {19, 40}},
        Case{5, {30, 40}, {19, 30}, {40, 19}}}) {
    FakeDrawingContext display(60, 60, kGround);
    display.frame_styles = {Style(c.kind, 2, 0x00FF00)};
    TRamkaRender frame(display, 0, element);
    frame.Draw(true);
    const Pixel green = platform::Rgb(0, 255, 0);
    EXPECT_EQ(display.window.At(c.side_a.x, c.side_a.y), green) << c.kind;
    EXPECT_EQ(display.window.At(c.side_b.x, c.side_b.y), green) << c.kind;
    EXPECT_EQ(display.window.At(c.untouched.x, c.untouched.y), kGround) << c.kind;
  }
}

TEST(Frames, NoFrameCases) {
  FakeDrawingContext display(30, 30, kGround);
  display.frame_styles = {Style(0, 3), Style(1, 0), Style(7, 3), Style(1, 3, 0, "missing.bmp")};
  for (const int32_t index : {-1, 0, 1, 2, 3, 4, INT_MAX}) {
    TRamkaRender frame(display, index, {10, 10, 20, 20});
    frame.SaveBackground();
    frame.Draw(true);
    frame.Draw(false);
    EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kGround)) << index;
  }
}

// Frames that overflow, lie off screen or cut the screen's edge: hiding one puts back every pixel.
TEST(Frames, WildRectanglesAndWidthsRestoreExactly) {
  const std::vector<TRam> styles = {Style(1, 5), Style(4, INT_MAX), Style(2, 3), Style(1, 40)};
  for (int32_t index = 0; index < int32_t(styles.size()); ++index) {
    for (const Rect& r : {Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Rect{25, 25, 5, 5},
                          Rect{INT_MAX - 2, 0, INT_MAX, 10}, Rect{-50, -50, -40, -40},
                          Rect{-3, 10, 12, 40}, Rect{2, 2, 28, 28}, Rect{0, 0, 30, 30}}) {
      // An inverted rectangle's lines are drawn, but its strips are inverted too and save
      // nothing: only that it stays safe is checked.
      const bool restorable = r.left <= r.right && r.top <= r.bottom;
      SCOPED_TRACE(::testing::Message() << "style " << index << ", rect " << r.left << "," << r.top
                                        << "," << r.right << "," << r.bottom);
      FakeDrawingContext display(30, 30);
      display.frame_styles = styles;
      Number(display.window);
      display.back_buffer = display.window;
      const Bitmap before = display.window;
      TRamkaRender frame(display, index, r);
      frame.SaveBackground();
      frame.Draw(true);
      frame.Draw(false);
      if (!restorable) continue;
      EXPECT_EQ(display.window, before);
      EXPECT_EQ(display.back_buffer, before);
    }
  }
}

// Framed elements share their style's pattern and charge only the strips they save; strips the
// budget refuses leave the element unframed, its surroundings untouched.
TEST(Frames, ShareThePatternAndChargeTheirStrips) {
  FakeDrawingContext display(100, 100, kGround);
  display.frame_styles = {Style(1, 4, 0, "big.bmp"), Style(1, 4, 0x0000FF)};
  display.patterns["big.bmp"] = std::make_shared<const Bitmap>(Column({0x11, 0x22, 0x33, 0x44}));
  const uint64_t strips = platform::PictureBytes(4, 14) * 2 + platform::PictureBytes(14, 4) * 2;
  std::vector<std::unique_ptr<TRamkaRender>> frames;
  for (int32_t i = 0; i < 8; ++i) {
    frames.push_back(std::make_unique<TRamkaRender>(display, 0, Rect{10, 10, 20, 20}));
    frames.back()->SaveBackground();
  }
  EXPECT_EQ(display.patterns["big.bmp"].use_count(), 9) << "one picture for every frame";
  EXPECT_EQ(display.memory.Used(), 8 * strips);
  frames.clear();
  EXPECT_EQ(display.memory.Used(), 0u);

  for (int32_t style : {0, 1}) {
    display.memory.SetLimit(strips - 1);
    const Bitmap before = display.window;
    TRamkaRender refused(display, style, {10, 10, 20, 20});
    refused.SaveBackground();
    refused.Draw(true);
    EXPECT_EQ(refused.Width(), 0) << style;
    EXPECT_EQ(display.window, before) << style;
    refused.Draw(false);
    EXPECT_EQ(display.window, before) << style;
    // What stays held is the plain style's colour column.
    EXPECT_EQ(display.memory.Used(), style == 1 ? platform::PictureBytes(1, 4) : 0u) << style;
  }
  // A plain frame's colour column is charged too: with nothing left, no frame.
  display.memory.SetLimit(0);
  TRamkaRender plain(display, 1, {10, 10, 20, 20});
  EXPECT_EQ(plain.Width(), 0);
}

}  // namespace
}  // namespace velmorant
