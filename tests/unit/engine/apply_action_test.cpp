// Carrying out the pending action: which page comes next, and when the presentation ends.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "unit/engine/fake_engine_host.hpp"

namespace velmorant {
namespace {

using testing::FakeEngineHost;

struct Case {
  const char* what;
  TAkc action;
  int32_t current;
  std::vector<int32_t> history;
  int32_t expected_page;
  bool ends = false;
  bool alt_assets = false;
};

// Six pages; page 4 names a screen that is not in the table, so it can never become current.
Definition SixPages() {
  Definition d;
  d.TEkrany.resize(2);
  for (int32_t screen : {0, 1, 0, 1, 7, 0}) {
    TMed page;
    page.Screen = screen;
    d.TMedia.push_back(page);
  }
  return d;
}

TEST(ApplyAction, MovesAsTheActionSaysWithinTheSequence) {
  const std::vector<Case> cases{
      {"none stays", {kActionNone, 0}, 2, {}, 2},
      {"end ends", {kActionEnd, 0}, 2, {}, 2, true},
      {"previous", {kActionPrevious, 0}, 2, {}, 1},
      {"previous at the first page stays", {kActionPrevious, 0}, 0, {}, 0},
      {"next", {kActionNext, 0}, 2, {}, 3},
      {"next at the last page stays", {kActionNext, 0}, 5, {}, 5},
      {"next onto a page without a valid screen stays", {kActionNext, 0}, 3, {}, 3},
      {"go to", {kActionGoTo, 5}, 0, {}, 5},
      {"go to outside the sequence stays", {kActionGoTo, 6}, 1, {}, 1},
      {"go to a negative page stays", {kActionGoTo, -1}, 1, {}, 1},
      {"move by forwards", {kActionMoveBy, 2}, 1, {}, 3},
      {"move by onto a page without a valid screen stays", {kActionMoveBy, 3}, 1, {}, 1},
      {"move by backwards", {kActionMoveBy, -2}, 3, {}, 1},
      {"move by past the end stays", {kActionMoveBy, 9}, 1, {}, 1},
      {"move by near the 32-bit limit stays", {kActionMoveBy, INT32_MAX}, 1, {}, 1},
      {"back to the page before", {kActionBack, 0}, 3, {0, 2, 3}, 2},
      {"back without history stays", {kActionBack, 0}, 3, {3}, 3},
      {"alternate assets stays and switches", {kActionAltAssets, 0}, 2, {}, 2, false, true},
      {"an unknown code stays", {200, 4}, 2, {}, 2},
  };
  for (const Case& c : cases) {
    FakeEngineHost host;
    host.Load(SixPages());
    for (int32_t page : c.history) host.hist.Push(page);
    TDisplay& display = host.display;
    display.CurrentPage = c.current;
    display.PendingAction = c.action;
    EXPECT_EQ(display.ApplyAction(), c.ends) << c.what;
    EXPECT_EQ(display.CurrentPage, c.expected_page) << c.what;
    EXPECT_EQ(display.AltAssets, c.alt_assets) << c.what;
  }
}

TEST(ApplyAction, BackDropsBothPagesFromTheHistory) {
  FakeEngineHost host;
  host.Load(SixPages());
  for (int32_t page : {0, 1, 2}) host.hist.Push(page);
  host.display.CurrentPage = 2;
  host.display.PendingAction = {kActionBack, 0};
  host.display.ApplyAction();
  EXPECT_EQ(host.display.CurrentPage, 1);
  EXPECT_EQ(host.hist.Pages(), (TIntWektor{0}));
}

}  // namespace
}  // namespace velmorant
