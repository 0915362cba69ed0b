#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/backend.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/window/cursor_image.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// One piece of input the page took from the DOM, already in screen coordinates.
struct PageInput {
  enum class Kind { kMove, kDown, kUp, kWheel, kKey, kClose };
  Kind kind = Kind::kMove;
  int32_t x = 0;
  int32_t y = 0;
  MouseButton button = MouseButton::kLeft;
  int32_t wheel_turns = 0;  // positive away from the user
  // A key as the DOM names it: its position (`code`) and what it types (`key`).
  std::string code;
  std::string key;
  bool num_lock = false;
  KeyModifiers modifiers;
};

// What the web backend needs of the page around it: the canvas, the DOM's input, the browser's
// clock and its dialogs. The browser's own is BrowserPage; tests give a fake.
class WebPage {
 public:
  virtual ~WebPage() = default;
  virtual int64_t NowMs() const = 0;
  // Gives the browser the thread for `ms` (the page stays live meanwhile).
  virtual void Sleep(int64_t ms) = 0;
  // Gives the browser the thread until input arrives or `ms` pass.
  virtual void WaitForInput(int64_t ms) = 0;
  virtual std::optional<PageInput> NextInput() = 0;
  // Shows `frame`, the whole screen, of which `changed` is new.
  virtual void Present(const Bitmap& frame, const Rect& changed) = 0;
  // The pointer's shape: one of the browser's own, or a picture of ours.
  virtual void SetCursor(int16_t cursor, const CursorImage* picture) = 0;
  virtual MessageAnswer Ask(const std::string& caption, const std::string& text,
                            MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace velmorant::platform
