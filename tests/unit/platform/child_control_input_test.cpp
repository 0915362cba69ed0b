// Child controls over a window: keys the window leaves go to the focused control, and the
// headless backend logs the pointer shapes controls give it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/window/headless_backend.hpp"

namespace velmorant::platform {
namespace {

class Control final : public ChildControl {
 public:
  bool Visible() const override { return visible; }
  void PaintOnto(Bitmap&) const override {}
  void OnKeyDown(uint16_t& key, KeyModifiers) override {
    keys.push_back(key);
    if (key == 40) key = 0;
  }
  void OnMouseMove(int32_t x, int32_t y) override { moves.push_back({x, y}); }
  void OnMouseUp(MouseButton, int32_t x, int32_t y) override { releases.push_back({x, y}); }
  bool TakesFocus() const override { return focusable; }
  int16_t Cursor() const override { return cursor; }
  Rect Bounds() const override { return bounds; }
  bool visible = true;
  bool focusable = false;
  Rect bounds{10, 10, 20, 20};
  int16_t cursor = kCrDefault;
  std::vector<uint16_t> keys;
  std::vector<Point> moves;
  std::vector<Point> releases;
};

class Shortcuts final : public WindowEvents {
 public:
  void OnKeyDown(uint16_t& key) override {
    if (key == 27) key = 0;
  }
  void OnMouseMove(int32_t, int32_t) override { ++moves; }
  int moves = 0;
};

// A headless window whose own handler takes Escape.
class ChildControlInput : public ::testing::Test {
 protected:
  ChildControlInput() { window->SetEvents(&shortcuts); }
  HeadlessBackend backend{HeadlessOptions{}};
  Shortcuts shortcuts;
  std::unique_ptr<Window> window = backend.CreateWindow("w");
};

TEST_F(ChildControlInput, TheFocusedControlGetsTheKeysTheWindowLeaves) {
  Control control;
  window->AddChild(&control);
  window->DeliverKeyDown(40);
  EXPECT_TRUE(control.keys.empty()) << "no focus yet";
  window->SetFocus(&control);
  window->DeliverKeyDown(27);  // a shortcut: consumed by the window
  window->DeliverKeyDown(40);
  EXPECT_EQ(control.keys, (std::vector<uint16_t>{40}));
  control.visible = false;
  window->DeliverKeyDown(38);
  EXPECT_EQ(control.keys.size(), 1u) << "a hidden control gets nothing";
  control.visible = true;
  window->RemoveChild(&control);
  EXPECT_EQ(window->Focus(), nullptr);
  window->DeliverKeyDown(38);
  EXPECT_EQ(control.keys.size(), 1u);
}

TEST_F(ChildControlInput, APressFocusesAControlThatTakesKeysAndCapturesThePointer) {
  Control first;
  Control second;
  first.focusable = second.focusable = true;
  second.bounds = {30, 10, 40, 20};
  window->AddChild(&first);
  window->AddChild(&second);
  window->SetFocus(&second);  // the one shown last
  window->DeliverMouseDown(MouseButton::kLeft, 12, 12);
  EXPECT_EQ(window->Focus(), &first) << "Page Down scrolls the text that was clicked";
  // Held, the pointer's moves and its release go to the pressed control, also outside it.
  window->DeliverMouseMove(35, 15);
  window->DeliverMouseMove(90, 90);
  window->DeliverMouseUp(MouseButton::kLeft, 90, 90);
  EXPECT_EQ(first.moves, (std::vector<Point>{{25, 5}, {80, 80}}));
  EXPECT_EQ(first.releases, (std::vector<Point>{{80, 80}}));
  EXPECT_TRUE(second.moves.empty());
  window->DeliverMouseMove(35, 15);
  EXPECT_EQ(second.moves, (std::vector<Point>{{5, 5}}));
  EXPECT_EQ(shortcuts.moves, 0);
  // A control that takes no keys leaves the focus where it was.
  first.focusable = false;
  window->DeliverMouseDown(MouseButton::kLeft, 12, 12);
  EXPECT_EQ(window->Focus(), &first);
  window->SetFocus(&second);
  window->DeliverMouseDown(MouseButton::kLeft, 12, 12);
  EXPECT_EQ(window->Focus(), &second);
}

TEST(ChildControlCursor, PointerShapesOfControlsAreLoggedWhenTheyChange) {
  const auto log = std::filesystem::temp_directory_path() /
                   ("velmorant-cursor-" + std::to_string(::getpid()) + ".jsonl");
  HeadlessOptions options;
  options.script = ParseScript("move 15 15\nmove 16 16\nmove 50 50\nmove 15 15\n").commands;
  HeadlessBackend backend(std::move(options));
  backend.Log().Open(log.string());
  auto window = backend.CreateWindow("w");
  Shortcuts events;
  window->SetEvents(&events);
  window->SetBounds({0, 0, 100, 100});
  window->Show();
  window->SetCursor(kCrArrow);
  Control control;
  control.cursor = kCrMultiDrag;
  window->AddChild(&control);
  while (backend.WaitForInput(1 << 30)) {
    while (backend.Loop().DispatchOne()) {
    }
  }
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "{\"t\":0,\"event\":\"cursor\",\"cursor\":-16}\n"
            "{\"t\":0,\"event\":\"cursor\",\"cursor\":0}\n"
            "{\"t\":0,\"event\":\"cursor\",\"cursor\":-16}\n");
  std::filesystem::remove(log);
}

}  // namespace
}  // namespace velmorant::platform
