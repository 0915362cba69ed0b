// Metafiles played onto pictures: the window mapping, shapes with their pens and brushes, bitmaps
// the right way up, text, the charge asked before every picture, and damaged data.
#include <gtest/gtest.h>

#include "platform/gfx/colour.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/metafile.hpp"
#include "platform/text/wmf_records.hpp"
#include "support/bmp_builder.hpp"
#include "support/wmf_builder.hpp"

namespace velmorant::platform {
namespace {

using testing::WmfBuilder;

constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kBlue = 0x0000FF;

// A 100 x 100 window onto a 50 x 50 picture, a red brush and a black pen selected.
WmfBuilder Drawing() {
  WmfBuilder w;
  w.Record(wmf::kSetWindowOrg, {0, 0}).Record(wmf::kSetWindowExt, {100, 100});
  w.Record(wmf::kCreateBrush, {0, 0x00FF, 0x0000, 0});   // solid, red as 0x00BBGGRR
  w.Record(wmf::kCreatePen, {0, 1, 0, 0x0000, 0x0000});  // solid, one unit, black
  w.Record(wmf::kSelectObject, {0}).Record(wmf::kSelectObject, {1});
  return w;
}

std::optional<Bitmap> Play(const std::vector<uint8_t>& bytes, MetafileOptions options = {}) {
  if (options.size.width == 0) options.size = {50, 50};
  return PlayWindowsMetafile(bytes, options);
}

bool HasInk(const Bitmap& b) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (b.At(x, y) != kWhite) return true;
    }
  }
  return false;
}

TEST(Metafile, ShapesAreMappedFromTheWindowWithTheirBrushAndPen) {
  WmfBuilder w = Drawing();
  w.Record(wmf::kRectangle, {60, 60, 10, 10});  // bottom, right, top, left
  const std::optional<Bitmap> picture = Play(w.Bytes());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->At(4, 4), kWhite);
  EXPECT_EQ(picture->At(5, 5), kBlack) << "the outline at the mapped corner";
  EXPECT_EQ(picture->At(15, 15), kRed);
  EXPECT_EQ(picture->At(29, 15), kBlack) << "right edge, inside the rectangle";
  EXPECT_EQ(picture->At(30, 15), kWhite);

  // A triangle filled, a line, an ellipse: each where the window says.
  WmfBuilder shapes = Drawing();
  shapes.Record(wmf::kPolygon, {3, 0, 80, 40, 80, 20, 99});
  shapes.Record(wmf::kMoveTo, {90, 60}).Record(wmf::kLineTo, {90, 98});  // y, x
  shapes.Record(wmf::kEllipse, {40, 99, 0, 60});
  const std::optional<Bitmap> more = Play(shapes.Bytes());
  ASSERT_TRUE(more);
  EXPECT_EQ(more->At(10, 47), kRed) << "inside the triangle";
  EXPECT_EQ(more->At(0, 42), kWhite) << "beside it";
  EXPECT_EQ(more->At(40, 45), kBlack) << "on the line";
  EXPECT_EQ(more->At(40, 46), kWhite);
  EXPECT_EQ(more->At(40, 10), kRed) << "the ellipse's middle";
  EXPECT_EQ(more->At(31, 1), kWhite) << "outside its curve";
}

TEST(Metafile, BitmapsAreStretchedTheRightWayUp) {
  // A 2 x 2 bottom-up DIB: blue below, red above.
  testing::BmpSpec dib_spec;
  dib_spec.width = 2;
  dib_spec.height = 2;
  dib_spec.pixels = {0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0};
  std::vector<uint8_t> dib = testing::BuildBmp(dib_spec);
  dib.erase(dib.begin(), dib.begin() + 14);
  WmfBuilder w;
  w.Record(wmf::kSetWindowExt, {100, 100});
  // SRCCOPY, colours, source 2 x 2 at 0, 0 into the whole window.
  w.Record(wmf::kStretchDib, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, dib);
  const std::optional<Bitmap> picture = Play(w.Bytes());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->At(10, 10), kRed);
  EXPECT_EQ(picture->At(40, 40), kBlue);

  // The picture is charged first, then the bitmap inside it; a refused bitmap is not drawn.
  std::vector<int64_t> asked;
  MetafileOptions options;
  options.charge = [&](int64_t width, int64_t height) {
    asked.push_back(width * height);
    return asked.size() == 1;
  };
  const std::optional<Bitmap> without = Play(w.Bytes(), options);
  ASSERT_TRUE(without);
  EXPECT_EQ(asked, (std::vector<int64_t>{2500, 4}));
  EXPECT_FALSE(HasInk(*without));
  options.charge = [](int64_t, int64_t) { return false; };
  EXPECT_FALSE(Play(w.Bytes(), options)) << "no room for the picture itself";
}

TEST(Metafile, TextIsDrawnInItsFontAndColour) {
  WmfBuilder w;
  w.Record(wmf::kSetWindowExt, {100, 100});
  std::vector<uint8_t> face(32, 0);
  for (size_t i = 0; i < 5; ++i) face[i] = uint8_t("Arial"[i]);
  // Height -30 units, weight 400, then the bytes of italic ... pitch, and the face.
  std::vector<uint8_t> font(8, 0);
  font.insert(font.end(), face.begin(), face.end());
  w.Record(wmf::kCreateFont, {-30, 0, 0, 0, 400}, font);
  w.Record(wmf::kSelectObject, {0});
  w.Record(wmf::kSetTextColour, {0x0000, 0x00FF});  // blue
  w.Record(wmf::kSetBkMode, {1});
  w.Record(wmf::kTextOut, {3, 0x4848, 'H', 10, 10});  // count, "HHH" padded, y, x
  const FontEngine fonts;
  MetafileOptions options;
  options.fonts = &fonts;
  const std::optional<Bitmap> picture = Play(w.Bytes(), options);
  ASSERT_TRUE(picture);
  int blue = 0;
  for (int32_t y = 0; y < 50; ++y) {
    for (int32_t x = 0; x < 50; ++x) blue += picture->At(x, y) == kBlue;
  }
  EXPECT_GT(blue, 20);
  EXPECT_FALSE(HasInk(*Play(w.Bytes()))) << "without fonts no text";
}

TEST(Metafile, DamagedDataDrawsAsFarAsItGoesAndNoiseIsRefused) {
  WmfBuilder w = Drawing();
  w.Record(wmf::kRectangle, {60, 60, 10, 10});
  std::vector<uint8_t> bytes = w.Bytes();
  std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 6);  // without its end record
  const std::optional<Bitmap> partial = Play(cut);
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->At(15, 15), kRed);
  // A record claiming more than there is, and one of no size, end the picture.
  for (uint32_t size : {0u, 1000000u}) {
    std::vector<uint8_t> broken = Drawing().Bytes();
    broken.resize(broken.size() - 6);
    testing::PutLe(broken, size, 4);
    testing::PutLe(broken, wmf::kRectangle, 2);
    EXPECT_TRUE(Play(broken)) << size;
  }
  const std::vector<uint8_t> noise(64, 0x5A);
  EXPECT_FALSE(Play(noise));
  EXPECT_FALSE(Play({}));
  // Every prefix of a metafile plays or is refused, never more.
  for (size_t n = 0; n < bytes.size(); ++n) {
    Play(std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n)));
  }
}

}  // namespace
}  // namespace velmorant::platform
