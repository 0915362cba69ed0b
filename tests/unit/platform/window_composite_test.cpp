// What a window shows and which cursor it wants: its surface with the visible children over it.
#include <gtest/gtest.h>

#include "platform/window/headless_backend.hpp"

namespace velmorant::platform {
namespace {

class Patch final : public ChildControl {
 public:
  Patch(Rect bounds, Pixel colour, int16_t cursor)
      : bounds_(bounds), colour_(colour), cursor_(cursor) {}
  Rect Bounds() const override { return bounds_; }
  bool Visible() const override { return visible; }
  void PaintOnto(Bitmap& target) const override {
    const Rect r = bounds_.Intersect(target.Bounds());
    for (int32_t y = r.top; y < r.bottom; ++y) {
      for (int32_t x = r.left; x < r.right; ++x) target.Set(x, y, colour_);
    }
  }
  int16_t Cursor() const override { return cursor_; }
  bool visible = true;

 private:
  Rect bounds_;
  Pixel colour_;
  int16_t cursor_;
};

class WindowComposite : public ::testing::Test {
 protected:
  HeadlessBackend backend_{HeadlessOptions{}};
  std::unique_ptr<Window> window_ = backend_.CreateWindow("w");
};

TEST_F(WindowComposite, ChildrenPaintOverACopyOfTheSurface) {
  window_->SetBounds({0, 0, 8, 6});
  window_->Surface().Fill(0x111111);
  Patch patch({2, 2, 4, 4}, 0x00FF00, kCrDefault);
  window_->AddChild(&patch);
  EXPECT_TRUE(window_->HasVisibleChildren());

  Bitmap out(8, 6, 0xABCDEF);
  const Pixel* before = out.Data();
  window_->CompositeInto(out);
  EXPECT_EQ(out.Data(), before) << "a picture of the right size is reused";
  EXPECT_EQ(out.At(0, 0), 0x111111u);
  EXPECT_EQ(out.At(3, 3), 0x00FF00u);
  EXPECT_EQ(window_->Surface().At(3, 3), 0x111111u) << "the surface itself is left alone";
  EXPECT_EQ(out, window_->Composite());

  Bitmap small(1, 1);
  window_->CompositeInto(small);
  EXPECT_EQ(small.GetSize(), (Size{8, 6})) << "any other size is replaced";

  patch.visible = false;
  EXPECT_FALSE(window_->HasVisibleChildren());
  window_->CompositeInto(out);
  EXPECT_EQ(out.At(3, 3), 0x111111u);
  window_->RemoveChild(&patch);
}

TEST_F(WindowComposite, CursorOfAChildThatHasOneElseTheWindows) {
  window_->SetBounds({0, 0, 20, 20});
  window_->SetCursor(kCrArrow);
  Patch phrase({0, 0, 10, 10}, 0, kCrMultiDrag);
  Patch plain({10, 10, 20, 20}, 0, kCrDefault);
  window_->AddChild(&phrase);
  window_->AddChild(&plain);
  EXPECT_EQ(window_->CursorAt(5, 5), kCrMultiDrag);
  EXPECT_EQ(window_->CursorAt(15, 15), kCrArrow) << "a child without a cursor of its own";
  EXPECT_EQ(window_->CursorAt(15, 5), kCrArrow);
  phrase.visible = false;
  EXPECT_EQ(window_->CursorAt(5, 5), kCrArrow) << "hidden children want nothing";
  window_->RemoveChild(&phrase);
  window_->RemoveChild(&plain);
}

}  // namespace
}  // namespace velmorant::platform
