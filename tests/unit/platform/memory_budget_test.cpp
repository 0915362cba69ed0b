// The one budget of decoded memory: charged before allocation, released with the last holder,
// shared between threads; and the picture store's refusals remembered while nothing changed.
#include "platform/memory_budget.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "platform/gfx/picture_store.hpp"
#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

TEST(MemoryBudget, ChargesAreRefusedBeyondTheLimitAndReleasedWithTheirHolders) {
  MemoryBudget budget(1000);
  auto a = budget.Reserve(600);
  ASSERT_TRUE(a);
  EXPECT_FALSE(budget.Reserve(401));
  EXPECT_FALSE(budget.Reserve(UINT64_MAX)) << "no wrap-around past the limit";
  auto b = budget.Reserve(400);
  ASSERT_TRUE(b);
  EXPECT_EQ(budget.Used(), 1000u);
  // A moved charge is released once, by its last owner.
  MemoryBudget::Charge moved = std::move(*a);
  a.reset();
  EXPECT_EQ(budget.Used(), 1000u);
  moved = std::move(*b);
  EXPECT_EQ(budget.Used(), 400u);
  moved.Release();
  EXPECT_EQ(budget.Used(), 0u);
  // Pictures no bitmap may have are refused whatever the budget.
  MemoryBudget large(UINT64_MAX);
  EXPECT_FALSE(large.ReservePicture(65535, 65535));
  EXPECT_FALSE(large.ReservePicture(-1, 10));
  EXPECT_NE(budget.PictureRefusal(20, 20).find("budget"), std::string::npos);
}

TEST(MemoryBudget, AChargedPictureHoldsItsChargeUntilItsLastHolderLetsGo) {
  MemoryBudget budget(100 * 4);
  int made = 0;
  auto picture = MakeChargedPicture(budget, 10, 10, [&] {
    ++made;
    return Bitmap(10, 10, 0x123456);
  });
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->At(9, 9), 0x123456u);
  EXPECT_EQ(budget.Used(), 400u);
  // What does not fit is never made.
  EXPECT_EQ(MakeChargedPicture(budget, 1, 1, [&] { return ++made, Bitmap(1, 1); }), nullptr);
  EXPECT_EQ(made, 1);
  auto share = picture;
  picture.reset();
  EXPECT_EQ(budget.Used(), 400u);
  share.reset();
  EXPECT_EQ(budget.Used(), 0u);
}

TEST(MemoryBudget, ThreadsChargeOneBudgetWithoutPassingIt) {
  MemoryBudget budget(64 * 100);
  std::atomic<int> granted{0};
  std::vector<std::thread> threads;
  std::vector<std::vector<MemoryBudget::Charge>> held(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 1000; ++i) {
        if (auto c = budget.Reserve(100)) {
          ++granted;
          if (i % 2 == 0) held[size_t(t)].push_back(std::move(*c));
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_LE(budget.Used(), 6400u);
  EXPECT_GE(granted.load(), 64);
  held.clear();
  EXPECT_EQ(budget.Used(), 0u);
}

class RefusedPictures : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::FreshTestFolder("velmorant-refused-"); }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(RefusedPictures, AreRememberedUntilTheFileChangesOrRoomIsMade) {
  // 1024 x 1024 is 4 MiB: one fits a budget of 6 MiB shared with the rest of the player.
  MemoryBudget budget(6 << 20);
  PictureStore store(budget, 0);
  testing::WriteBytes(dir_ / "big.bmp", testing::RleClaimingSize(1024, 1024));
  testing::WriteBytes(dir_ / "other.bmp", testing::RleClaimingSize(1024, 1024));
  auto elsewhere = budget.Reserve(3 << 20);  // a sound, say
  auto first = store.Load(dir_ / "big.bmp");
  ASSERT_FALSE(first);
  EXPECT_NE(first.error().find("budget"), std::string::npos) << first.error();
  // Asked again at every frame tick while nothing was let go: refused from memory, same words.
  auto again = store.Load(dir_ / "big.bmp");
  ASSERT_FALSE(again);
  EXPECT_EQ(again.error(), first.error());
  // Once the rest lets go there is room, and the picture is decoded after all.
  elsewhere.reset();
  auto held = store.Load(dir_ / "big.bmp");
  ASSERT_TRUE(held) << held.error();
  EXPECT_EQ(budget.Used(), 4u << 20);
  EXPECT_FALSE(store.Load(dir_ / "other.bmp"));
  // A picture larger than any one picture may be stays refused; rewritten smaller, it loads.
  MemoryBudget roomy(1 << 30);
  PictureStore large(roomy, 0);
  testing::WriteBytes(dir_ / "huge.bmp", testing::RleClaimingSize(8192, 8192));
  auto huge = large.Load(dir_ / "huge.bmp");
  ASSERT_FALSE(huge);
  EXPECT_NE(huge.error().find("one picture"), std::string::npos) << huge.error();
  EXPECT_EQ(roomy.Used(), 0u);
  testing::WriteBytes(dir_ / "huge.bmp", testing::SolidBmp(3, 2, 0xFF));
  fs::last_write_time(dir_ / "huge.bmp",
                      fs::last_write_time(dir_ / "huge.bmp") + std::chrono::seconds(2));
  EXPECT_TRUE(large.Load(dir_ / "huge.bmp"));
}

}  // namespace
}  // namespace velmorant::platform
