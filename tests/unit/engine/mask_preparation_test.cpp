#include <gtest/gtest.h>

#include "display/render_helpers.hpp"
#include "platform/gfx/canvas.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;

constexpr Pixel kPicture = 0x7F3FAA;

// Only the area both pictures cover is touched, whichever of the two is larger.
TEST(MaskPreparation, PictureAndMaskOfDifferentSizes) {
  Bitmap wide(6, 2, kPicture);
  Bitmap small_mask(3, 3, platform::kWhite);
  PrepareMaskedImage(wide, &small_mask);
  for (int32_t x = 0; x < 6; ++x) {
    EXPECT_EQ(wide.At(x, 0), x < 3 ? 0u : kPicture) << x;
    EXPECT_EQ(wide.At(x, 1), x < 3 ? 0u : kPicture) << x;
  }

  Bitmap tiny(2, 1, kPicture);
  Bitmap big_mask(5, 5, platform::kBlack);
  big_mask.Set(1, 0, 0x0F0F0F);  // a grey mask pixel clears its bits only
  PrepareMaskedImage(tiny, &big_mask);
  EXPECT_EQ(tiny.At(0, 0), kPicture);
  EXPECT_EQ(tiny.At(1, 0), kPicture & ~0x0F0F0Fu);
}

TEST(MaskPreparation, EmptyPicturesAreLeftAlone) {
  Bitmap empty;
  const Bitmap mask(4, 4, platform::kWhite);
  PrepareMaskedImage(empty, &mask);
  EXPECT_TRUE(empty.IsEmpty());
  Bitmap picture(2, 2, kPicture);
  const Bitmap no_mask;
  PrepareMaskedImage(picture, &no_mask);
  EXPECT_EQ(picture.At(1, 1), kPicture);
}

}  // namespace
}  // namespace velmorant
