// The headless backend with its script replaced by a callback: whenever the player has nothing
// left to do, the callback decides what happens next. A benchmark that keeps its timing loop in
// the callback times exactly the work between two idle moments.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/forwarding_backend.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant::bench {

class IdleDrivenBackend : public platform::ForwardingBackend {
 public:
  // Given the time the next timer falls due; false ends the run.
  using OnIdle = std::function<bool(IdleDrivenBackend&, int64_t deadline)>;

  IdleDrivenBackend(platform::ScreenInfo screen, OnIdle on_idle)
      : IdleDrivenBackend(std::make_unique<platform::HeadlessBackend>(Options(screen)),
                          std::move(on_idle)) {}
  // Any backend, the desktop's too, with its input replaced by the callback.
  IdleDrivenBackend(std::unique_ptr<platform::Backend> inner, OnIdle on_idle)
      : ForwardingBackend(*inner), inner_(std::move(inner)), on_idle_(std::move(on_idle)) {
    if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(inner_.get()))
      virtual_clock_ = &headless->Virtual();
  }

  std::unique_ptr<platform::Window> CreateWindow(const std::string& title) override {
    auto window = inner_->CreateWindow(title);
    // The player creates its presentation window first; keys go there (not to the about box).
    if (!key_target_) key_target_ = window.get();
    return window;
  }

  bool WaitForInput(int64_t deadline) override { return on_idle_(*this, deadline); }

  // A key press for the presentation window; false when there is none yet.
  bool PressKey(uint16_t key) {
    if (!key_target_) return false;
    platform::Window* target = key_target_;
    inner_->Loop().Post([target, key] { target->DeliverKeyDown(key); });
    return true;
  }
  // Virtual time moves only with the player's own sleeps and through this (headless only).
  void AdvanceTo(int64_t t) {
    if (virtual_clock_) virtual_clock_->AdvanceTo(t);
  }

 protected:
  static platform::HeadlessOptions Options(platform::ScreenInfo screen) {
    platform::HeadlessOptions options;
    options.screen = screen;
    return options;
  }

 private:
  std::unique_ptr<platform::Backend> inner_;
  OnIdle on_idle_;
  platform::VirtualClock* virtual_clock_ = nullptr;
  // Owned by the player, which is gone before this backend; used only while it runs.
  platform::Window* key_target_ = nullptr;
};

// Every idle moment asks for the next key. Virtual time never moves by itself, so a timer due
// later never fires and no timer can keep the run going.
class KeyDrivenBackend final : public IdleDrivenBackend {
 public:
  // The next virtual-key code to press, or nothing to end the run.
  using NextKey = std::function<std::optional<uint16_t>()>;

  KeyDrivenBackend(platform::ScreenInfo screen, NextKey next_key)
      : KeyDrivenBackend(std::make_unique<platform::HeadlessBackend>(Options(screen)),
                         std::move(next_key)) {}
  KeyDrivenBackend(std::unique_ptr<platform::Backend> inner, NextKey next_key)
      : IdleDrivenBackend(std::move(inner),
                          [next = std::move(next_key)](IdleDrivenBackend& b, int64_t) {
                            const std::optional<uint16_t> key = next();
                            return key && b.PressKey(*key);
                          }) {}
};

// Every idle moment lets virtual time reach the next timer, which then fires: each one is a tick
// of whatever timer comes next. The run ends when `go_on` says so or no timer is armed.
class TimerDrivenBackend final : public IdleDrivenBackend {
 public:
  TimerDrivenBackend(platform::ScreenInfo screen, std::function<bool()> go_on)
      : IdleDrivenBackend(screen,
                          [go_on = std::move(go_on)](IdleDrivenBackend& b, int64_t deadline) {
                            if (deadline == std::numeric_limits<int64_t>::max() || !go_on())
                              return false;
                            b.AdvanceTo(deadline);
                            return true;
                          }) {}
};

}  // namespace velmorant::bench
