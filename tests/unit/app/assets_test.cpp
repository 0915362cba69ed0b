// The pictures the elements get: each file decoded once and shared while anything holds it, masked
// pictures shared per picture and mask, and the alternate-asset switch read at every request.
#include "app/assets.hpp"

#include <gtest/gtest.h>

#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

class AssetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing::FreshTestFolder("velmorant-assets-");
    testing::WriteBytes(root_ / "przyciski" / "map.bmp", testing::SolidBmp(4, 3, 0x808080));
    testing::WriteBytes(root_ / "przyciski" / "map.msk", testing::SolidBmp(4, 3, 0xFFFFFF));
    testing::WriteBytes(root_ / "przyciski" / "ext_map.bmp", testing::SolidBmp(2, 2, 0x010203));
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
};

TEST_F(AssetsTest, APictureIsDecodedOnceWhileItIsHeld) {
  TOgolne settings(root_, *platform::CodePage::Open(1250));
  bool alt = false;
  platform::MemoryBudget memory;
  Assets assets(settings, alt, settings.Codes(), memory);
  const SharedPicture first = assets.Picture(kAssetButtons, "map.bmp");
  ASSERT_NE(first, nullptr);
  // Another spelling of the same file on a case-insensitive presentation is the same picture.
  EXPECT_EQ(assets.Picture(kAssetButtons, "MAP.BMP"), first);
  const MaskedPicture masked = assets.PictureWithMask(kAssetButtons, "map.bmp", "map.bmp");
  ASSERT_NE(masked.picture, nullptr);
  ASSERT_NE(masked.mask, nullptr);
  // Preparing with the mask makes a picture of its own (white mask: all black), shared as well.
  EXPECT_NE(masked.picture, first);
  EXPECT_EQ(masked.picture->At(0, 0), 0u);
  EXPECT_EQ(first->At(0, 0), 0x808080u);
  const MaskedPicture again = assets.PictureWithMask(kAssetButtons, "map.bmp", "map.bmp");
  EXPECT_EQ(again.picture, masked.picture);
  EXPECT_EQ(again.mask, masked.mask);
}

TEST_F(AssetsTest, TheAlternateSwitchIsReadAtEveryRequest) {
  TOgolne settings(root_, *platform::CodePage::Open(1250));
  bool alt = false;
  platform::MemoryBudget memory;
  Assets assets(settings, alt, settings.Codes(), memory);
  EXPECT_EQ(assets.Picture(kAssetButtons, "map.bmp")->Width(), 4);
  alt = true;
  EXPECT_EQ(assets.Picture(kAssetButtons, "map.bmp")->Width(), 2);
}

TEST_F(AssetsTest, AMissingMaskLeavesThePlainPictureAndAMissingPictureGivesNothing) {
  TOgolne settings(root_, *platform::CodePage::Open(1250));
  bool alt = false;
  platform::MemoryBudget memory;
  Assets assets(settings, alt, settings.Codes(), memory);
  fs::remove(root_ / "przyciski" / "map.msk");
  const MaskedPicture plain = assets.PictureWithMask(kAssetButtons, "map.bmp", "map.bmp");
  ASSERT_NE(plain.picture, nullptr);
  EXPECT_EQ(plain.mask, nullptr);
  EXPECT_EQ(plain.picture->At(0, 0), 0x808080u);
  const MaskedPicture none = assets.PictureWithMask(kAssetButtons, "none.bmp", "map.bmp");
  EXPECT_EQ(none.picture, nullptr);
  EXPECT_EQ(none.mask, nullptr);
}

}  // namespace
}  // namespace velmorant
