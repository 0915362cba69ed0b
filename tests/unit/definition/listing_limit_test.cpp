// A screen's index sets are used as far as the limit, in their order and with their repeats; the
// rest is cut and named once.
#include "definition/listing_limit.hpp"

#include <gtest/gtest.h>

namespace velmorant {
namespace {

TIntWektor Repeated(size_t count, int32_t value) {
  TIntWektor set;
  set.Items().assign(count, value);
  return set;
}

TEST(ListingLimit, EverySetOfAScreenIsCutAfterTheLimitKeepingOrderAndRepeats) {
  Definition d;
  d.TEkrany.resize(3);
  TEkr& screen = d.TEkrany[1];
  TIntWektor* sets[] = {&screen.Images, &screen.Captions,   &screen.Texts,
                        &screen.Sounds, &screen.Films,      &screen.Animations,
                        &screen.Links,  &screen.Documents,  &screen.Processes,
                        &screen.Maps,   &screen.Sandwiches, &screen.Keys};
  for (TIntWektor* set : sets) {
    for (int32_t v = 0; v < 1030; ++v) set->Add(v % 7);
  }
  d.TEkrany[2].Films = Repeated(kMaxListedValues, 4);

  const std::vector<LongListing> found = FindLongListings(d);
  EXPECT_EQ(screen.Films.Count(), 1030) << "finding changes nothing";
  const std::vector<LongListing> cut = CutLongListings(d);
  ASSERT_EQ(cut.size(), 12u);
  EXPECT_EQ(found.size(), cut.size());
  EXPECT_EQ(cut[0].screen, 1u);
  EXPECT_EQ(cut[0].field, "Images");
  EXPECT_EQ(cut[4].field, "Films");
  EXPECT_EQ(cut[11].field, "Keys");
  EXPECT_EQ(cut[11].count, 1030u);
  for (TIntWektor* set : sets) {
    ASSERT_EQ(set->Count(), int32_t(kMaxListedValues));
    for (size_t k = 0; k < kMaxListedValues; ++k) ASSERT_EQ((*set)[k], int32_t(k % 7));
  }
  EXPECT_EQ(d.TEkrany[2].Films, Repeated(kMaxListedValues, 4)) << "a set at the limit stays";
  EXPECT_TRUE(CutLongListings(d).empty()) << "cutting twice finds nothing more";
}

TEST(ListingLimit, TheLastValueUsedIsTheLastOneKept) {
  // The carry-over of the playing sound looks at the last sound listed: after the cut, the last
  // one that was visited.
  Definition d;
  d.TEkrany.resize(1);
  TIntWektor& sounds = d.TEkrany[0].Sounds;
  sounds = Repeated(kMaxListedValues - 1, 0);
  sounds.Add(5);
  for (int i = 0; i < 10; ++i) sounds.Add(0);
  CutLongListings(d);
  EXPECT_EQ(sounds.Last(), 5);
}

TEST(ListingLimit, OneLineNamesTheFirstAndCountsTheRest) {
  EXPECT_EQ(DescribeCutListings({}), "");
  EXPECT_EQ(DescribeCutListings({{3, "Films", 20000}}),
            "TEkrany[3].Films lists 20000 values: only the first 1024 are used");
  EXPECT_EQ(DescribeCutListings({{0, "Maps", 1025}, {0, "Keys", 5000}, {9, "Images", 2000}}),
            "TEkrany[0].Maps lists 1025 values: only the first 1024 are used, and the same in 2 "
            "more index sets");
}

}  // namespace
}  // namespace velmorant
