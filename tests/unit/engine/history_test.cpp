#include "display/history.hpp"

#include <gtest/gtest.h>

namespace velmorant {
namespace {

TEST(History, BackDropsTheCurrentPageAndTheOneBefore) {
  THist h;
  for (int32_t page : {0, 3, 5}) h.Push(page);
  EXPECT_EQ(h.Back(), 3);
  EXPECT_EQ(h.Pages().Items(), std::vector<int32_t>{0});
  h.Push(3);  // page 3 becomes active again
  EXPECT_EQ(h.Back(), 0);
  EXPECT_TRUE(h.Pages().Empty());
  h.Push(0);
  EXPECT_EQ(h.Back(), -1) << "one entry: nowhere to go back to";
  EXPECT_EQ(h.Pages().Items(), std::vector<int32_t>{0});
}

TEST(IndexSet, IterationFillAndRemoval) {
  TIntWektor set;
  int32_t v = 42;
  EXPECT_EQ(set.StartIteration(), 0);
  EXPECT_FALSE(set.Next(v));
  EXPECT_EQ(v, 42) << "an exhausted walk leaves the value alone";

  set = TIntWektor{7, -1, 7};
  EXPECT_EQ(set.StartIteration(), 3);
  std::vector<int32_t> seen;
  while (set.Next(v)) seen.push_back(v);
  EXPECT_EQ(seen, (std::vector<int32_t>{7, -1, 7}));

  set.FillSequence(10);
  set.FillSequence(4);
  EXPECT_EQ(set.Items(), (std::vector<int32_t>{0, 1, 2, 3}));
  set.RemoveAt(1);
  set.RemoveAt(99);
  EXPECT_EQ(set.Items(), (std::vector<int32_t>{0, 2, 3}));
  set.FillSequence(-5);
  EXPECT_TRUE(set.Empty());
}

}  // namespace
}  // namespace velmorant
