// The headless backend with its script replaced by a callback: whenever the player has nothing
// left to do, the callback decides whether a key press comes next. A benchmark that keeps its
// timing loop in the callback times exactly the work between two idle moments.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/forwarding_backend.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant::bench {

class KeyDrivenBackend final : public platform::ForwardingBackend {
 public:
  // The next virtual-key code to press, or nothing to end the run.
  using NextKey = std::function<std::optional<uint16_t>()>;

  KeyDrivenBackend(platform::ScreenInfo screen, NextKey next_key)
      : ForwardingBackend(inner_), inner_(Options(screen)), next_key_(std::move(next_key)) {}

  std::unique_ptr<platform::Window> CreateWindow(const std::string& title) override {
    auto window = inner_.CreateWindow(title);
    // The player creates its presentation window first; keys go there.
    if (!key_target_) key_target_ = window.get();
    return window;
  }

  bool WaitForInput(int64_t /*deadline*/) override {
    // Virtual time moves only with the player's own sleeps, so a timer due later never fires:
    // every idle moment asks for the next key, and no timer can keep the run going.
    const std::optional<uint16_t> key = next_key_();
    if (!key || !key_target_) return false;
    platform::Window* target = key_target_;
    inner_.Loop().Post([target, k = *key] { target->DeliverKeyDown(k); });
    return true;
  }

 private:
  static platform::HeadlessOptions Options(platform::ScreenInfo screen) {
    platform::HeadlessOptions options;
    options.screen = screen;
    return options;
  }

  platform::HeadlessBackend inner_;
  NextKey next_key_;
  // Owned by the player, which is gone before this backend; used only while it runs.
  platform::Window* key_target_ = nullptr;
};

}  // namespace velmorant::bench
