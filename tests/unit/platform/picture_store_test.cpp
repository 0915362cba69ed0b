// The shared decode: one picture per file (or per picture and mask pair) while anyone holds it,
// and a budget for the pictures held at once that refuses from the header, before decoding.
#include "platform/gfx/picture_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

using testing::RleClaimingSize;
using testing::SolidBmp;
using testing::WriteBytes;

class PictureStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::FreshTestFolder("velmorant-store-");
    fs::create_directories(dir_ / "sub");
    WriteBytes(dir_ / "a.bmp", SolidBmp(4, 3, 0xFF0000));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

TEST_F(PictureStoreTest, AFileIsDecodedOnceWhateverPathLeadsToIt) {
  fs::create_symlink("a.bmp", dir_ / "alias.bmp");
  PictureStore store;
  auto first = store.Load(dir_ / "a.bmp");
  ASSERT_TRUE(first) << first.error();
  auto again = store.Load(dir_ / "sub" / ".." / "a.bmp");
  auto linked = store.Load(dir_ / "alias.bmp");
  ASSERT_TRUE(again && linked);
  EXPECT_EQ(first->get(), again->get());
  EXPECT_EQ(first->get(), linked->get());
  EXPECT_EQ((*first)->At(3, 2), 0xFF0000u);
  EXPECT_EQ(store.HeldBytes(), 4u * 3u * 4u);
}

TEST_F(PictureStoreTest, APictureLivesExactlyWhileSomeoneHoldsIt) {
  PictureStore store;
  auto held = store.Load(dir_ / "a.bmp").value();
  std::weak_ptr<const Bitmap> watch = held;
  // The file changes while the picture is held: holders keep sharing what was decoded.
  WriteBytes(dir_ / "a.bmp", SolidBmp(2, 2, 0x0000FF));
  auto second = store.Load(dir_ / "a.bmp").value();
  EXPECT_EQ(second.get(), held.get());
  held.reset();
  EXPECT_FALSE(watch.expired()) << "still held by the second holder";
  second.reset();
  EXPECT_TRUE(watch.expired()) << "a store without a share to keep keeps no picture alive";
  EXPECT_EQ(store.HeldBytes(), 0u);
  auto fresh = store.Load(dir_ / "a.bmp").value();
  EXPECT_EQ(fresh->GetSize(), (Size{2, 2}));
  EXPECT_EQ(fresh->At(0, 0), 0x0000FFu);
}

TEST_F(PictureStoreTest, MaskedPicturesAreSharedPerPictureAndMask) {
  WriteBytes(dir_ / "a.msk", SolidBmp(4, 3, 0xFFFFFF));
  WriteBytes(dir_ / "b.msk", SolidBmp(4, 3, 0x000000));
  int preparations = 0;
  const PictureStore::MaskPreparation blank = [&](Bitmap& picture, const Bitmap& mask) {
    ++preparations;
    picture.Fill(mask.At(0, 0) == 0xFFFFFF ? 0 : 0x00FF00);
  };
  PictureStore store;
  auto mask = store.Load(dir_ / "a.msk").value();
  auto masked = store.LoadMasked(dir_ / "a.bmp", dir_ / "a.msk", blank).value();
  auto masked_again = store.LoadMasked(dir_ / "a.bmp", dir_ / "a.msk", blank).value();
  EXPECT_EQ(masked.get(), masked_again.get());
  EXPECT_EQ(preparations, 1);
  EXPECT_EQ(masked->At(0, 0), 0u);
  // The plain picture and the one prepared with another mask are pictures of their own.
  auto plain = store.Load(dir_ / "a.bmp").value();
  auto other = store.LoadMasked(dir_ / "a.bmp", dir_ / "b.msk", blank).value();
  EXPECT_NE(plain.get(), masked.get());
  EXPECT_EQ(plain->At(0, 0), 0xFF0000u);
  EXPECT_EQ(other->At(0, 0), 0x00FF00u);
  EXPECT_EQ(preparations, 2);
  // Alive: a.msk, the two masked pictures and the plain one. b.msk, which nobody holds, lived
  // only while `other` was prepared.
  EXPECT_EQ(store.HeldBytes(), 4u * 4u * 3u * 4u);
  auto no_mask = store.LoadMasked(dir_ / "a.bmp", dir_ / "none.msk", blank);
  ASSERT_FALSE(no_mask);
  EXPECT_EQ(no_mask.error().rfind("mask: ", 0), 0u) << no_mask.error();
}

TEST_F(PictureStoreTest, TheBudgetRefusesFromTheHeaderAndFreesWithTheHolders) {
  // Scaled down from the 1 GiB budget and 8192 x 8192 pictures: 1024 x 1024 is 4 MiB.
  for (int i = 0; i < 3; ++i) {
    WriteBytes(dir_ / ("big" + std::to_string(i) + ".bmp"), RleClaimingSize(1024, 1024));
  }
  PictureStore store(10 << 20);
  // Eight maps and their hover pictures naming one file hold one picture.
  std::vector<PictureStore::Picture> maps;
  for (int i = 0; i < 16; ++i) maps.push_back(store.Load(dir_ / "big0.bmp").value());
  EXPECT_EQ(store.HeldBytes(), 4u << 20);
  auto second = store.Load(dir_ / "big1.bmp");
  ASSERT_TRUE(second);
  auto third = store.Load(dir_ / "big2.bmp");
  ASSERT_FALSE(third);
  EXPECT_NE(third.error().find("budget"), std::string::npos) << third.error();
  EXPECT_EQ(store.HeldBytes(), 8u << 20);
  second = DecodeError{"let go"};
  EXPECT_TRUE(store.Load(dir_ / "big2.bmp"));
  // A picture beyond the whole budget is refused whatever is held: 8192 x 8192 from 62 bytes.
  WriteBytes(dir_ / "huge.bmp", RleClaimingSize(8192, 8192));
  auto huge = store.Load(dir_ / "huge.bmp");
  ASSERT_FALSE(huge);
  EXPECT_NE(huge.error().find("8192 x 8192"), std::string::npos) << huge.error();
  // Broken files are refused as by the decoder.
  WriteBytes(dir_ / "broken.bmp", {'B', 'M', 0, 0});
  EXPECT_FALSE(store.Load(dir_ / "broken.bmp"));
  EXPECT_FALSE(store.Load(dir_ / "missing.bmp"));
}

TEST_F(PictureStoreTest, RecentPicturesAreKeptAfterTheirHoldersWithinTheirShare) {
  // 4 x 3 pictures are 48 bytes: two fit a share of 100 bytes.
  for (const char* name : {"b.bmp", "c.bmp"}) WriteBytes(dir_ / name, SolidBmp(4, 3, 0x00FF00));
  PictureStore store(kMemoryBudgetBytes, 100);
  const Bitmap* a = store.Load(dir_ / "a.bmp").value().get();
  store.Load(dir_ / "b.bmp").value();
  EXPECT_EQ(store.HeldBytes(), 96u);  // nobody holds them: kept
  EXPECT_EQ(store.Load(dir_ / "a.bmp").value().get(), a);
  // A third picture lets the least recently used one (b) go; a stays.
  store.Load(dir_ / "c.bmp").value();
  EXPECT_EQ(store.HeldBytes(), 96u);
  EXPECT_EQ(store.Load(dir_ / "a.bmp").value().get(), a);
}

TEST_F(PictureStoreTest, AKeptPictureWhoseFileChangedIsDecodedAgain) {
  WriteBytes(dir_ / "m.msk", SolidBmp(4, 3, 0xFFFFFF));
  PictureStore store(kMemoryBudgetBytes, 1 << 20);
  int prepared = 0;
  const auto prepare = [&](Bitmap&, const Bitmap&) { ++prepared; };
  store.Load(dir_ / "a.bmp").value();
  store.LoadMasked(dir_ / "a.bmp", dir_ / "m.msk", prepare).value();
  store.LoadMasked(dir_ / "a.bmp", dir_ / "m.msk", prepare).value();
  EXPECT_EQ(prepared, 1);
  // Only the store keeps them now.
  WriteBytes(dir_ / "a.bmp", SolidBmp(5, 3, 0x0000FF));
  EXPECT_EQ(store.Load(dir_ / "a.bmp").value()->Width(), 5);
  EXPECT_EQ(store.LoadMasked(dir_ / "a.bmp", dir_ / "m.msk", prepare).value()->Width(), 5);
  EXPECT_EQ(prepared, 2);
  // A changed mask alone makes a new pair too.
  WriteBytes(dir_ / "m.msk", SolidBmp(5, 3, 0x000000));
  store.LoadMasked(dir_ / "a.bmp", dir_ / "m.msk", prepare).value();
  EXPECT_EQ(prepared, 3);
}

TEST_F(PictureStoreTest, KeptPicturesGiveWayToTheBudget) {
  for (int i = 0; i < 3; ++i) {
    WriteBytes(dir_ / ("big" + std::to_string(i) + ".bmp"), RleClaimingSize(1024, 1024));
  }
  // Two 4 MiB pictures kept, a budget of 10 MiB: the third still loads.
  PictureStore store(10 << 20, 10 << 20);
  store.Load(dir_ / "big0.bmp").value();
  store.Load(dir_ / "big1.bmp").value();
  EXPECT_EQ(store.HeldBytes(), 8u << 20);
  EXPECT_TRUE(store.Load(dir_ / "big2.bmp"));
  EXPECT_LE(store.HeldBytes(), 10u << 20);
}

}  // namespace
}  // namespace velmorant::platform
