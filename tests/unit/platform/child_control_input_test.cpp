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
  Rect Bounds() const override { return {10, 10, 20, 20}; }
  bool Visible() const override { return visible; }
  void PaintOnto(Bitmap&) const override {}
  void OnKeyDown(uint16_t& key) override {
    keys.push_back(key);
    if (key == 40) key = 0;
  }
  int16_t Cursor() const override { return cursor; }
  bool visible = true;
  int16_t cursor = kCrDefault;
  std::vector<uint16_t> keys;
};

class Shortcuts final : public WindowEvents {
 public:
  void OnKeyDown(uint16_t& key) override {
    if (key == 27) key = 0;
  }
  void OnMouseMove(int32_t, int32_t) override {}
};

TEST(ChildControlInput, TheFocusedControlGetsTheKeysTheWindowLeaves) {
  HeadlessBackend backend(HeadlessOptions{});
  auto window = backend.CreateWindow("w");
  Shortcuts shortcuts;
  window->SetEvents(&shortcuts);
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

TEST(ChildControlInput, PointerShapesOfControlsAreLoggedWhenTheyChange) {
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
