#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

enum class MouseButton { kLeft, kRight, kMiddle };

// The modifier keys held with a key press. A backend that cannot tell passes none.
struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// Cursor values as the Windows form library numbers them.
enum CursorId : int16_t {
  kCrDefault = 0,
  kCrArrow = -2,
  kCrHourGlass = -11,
  kCrMultiDrag = -16,
  kCrHandPoint = -21,
};

// What a window tells its owner. Handlers run on the GUI thread from the message loop.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnPaint() {}
  virtual void OnMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseDown(MouseButton /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseUp(MouseButton /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  // The handler may consume the key by setting it to 0.
  virtual void OnKeyDown(uint16_t& /*key*/) {}
  virtual void OnWheel(int32_t /*x*/, int32_t /*y*/, int32_t /*delta*/) {}
  // The system's close command (window manager, Alt+F4, the script's `close`).
  virtual void OnSystemClose() {}
};

// A child window drawn over its parent's surface when the parent is presented (the hint panel,
// rich-text views). Coordinates are the parent's client coordinates; events arrive in the
// control's own client coordinates. A press on a control captures the pointer for it: its moves
// and the release go to that control, wherever they happen, until the release.
class ChildControl {
 public:
  virtual ~ChildControl() = default;
  virtual Rect Bounds() const = 0;
  virtual bool Visible() const = 0;
  // Draws the control into `target`, a picture of the parent's client area.
  virtual void PaintOnto(Bitmap& target) const = 0;
  virtual void OnMouseDown(MouseButton /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseUp(MouseButton /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnWheel(int32_t /*delta*/) {}
  // Keys the window's own handler left unconsumed, while the control has the focus; the control
  // consumes a key by setting it to 0.
  virtual void OnKeyDown(uint16_t& /*key*/, KeyModifiers /*modifiers*/) {}
  // A control that takes the keys gets the focus when it is pressed.
  virtual bool TakesFocus() const { return false; }
  virtual int16_t Cursor() const { return kCrDefault; }
};

// A top-level borderless window with a surface bitmap of its client size ("the window's canvas")
// and child controls composited over it.
class Window {
 public:
  virtual ~Window() = default;

  void SetEvents(WindowEvents* events) { events_ = events; }

  Rect Bounds() const { return bounds_; }
  Size ClientSize() const { return {int32_t(bounds_.Width()), int32_t(bounds_.Height())}; }
  // Moves and sizes the window (screen coordinates); the surface takes the new client size.
  virtual void SetBounds(const Rect& bounds);
  Bitmap& Surface() { return surface_; }
  const Bitmap& Surface() const { return surface_; }

  virtual void Show() { visible_ = true; }
  virtual void Hide() { visible_ = false; }
  bool IsVisible() const { return visible_; }
  // Puts what the window shows on the screen now (before sleeps, so every transition step shows).
  virtual void Present() {}
  // Asks for a paint message.
  virtual void Invalidate() = 0;

  void SetCursor(int16_t cursor) { cursor_ = cursor; }
  int16_t Cursor() const { return cursor_; }
  // The cursor over a client point: a visible child's own, else the window's.
  int16_t CursorAt(int32_t x, int32_t y) const;

  // Children are not owned; the last added is on top. SendToBack puts one under the others.
  void AddChild(ChildControl* child);
  void RemoveChild(ChildControl* child);
  void SendToBack(ChildControl* child);
  // The child that gets the keys the window leaves; nothing for none.
  void SetFocus(ChildControl* child) { focus_ = child; }
  ChildControl* Focus() const { return focus_; }
  // The cursor the visible child at a point shows; kCrDefault (the window's own) for none.
  int16_t ChildCursorAt(Point p) const;

  // Surface plus visible children: what the window shows.
  Bitmap Composite() const;
  // The same into `out`, whose pixels are reused when it has the window's size already.
  void CompositeInto(Bitmap& out) const;
  bool HasVisibleChildren() const;

  // Input routing shared by every backend: a point over a visible child goes to the child.
  void DeliverMouseMove(int32_t x, int32_t y);
  void DeliverMouseDown(MouseButton button, int32_t x, int32_t y);
  void DeliverMouseUp(MouseButton button, int32_t x, int32_t y);
  void DeliverKeyDown(uint16_t key, KeyModifiers modifiers = {});
  void DeliverWheel(int32_t x, int32_t y, int32_t delta);
  void DeliverPaint();
  void DeliverSystemClose();

 protected:
  ChildControl* ChildAt(int32_t x, int32_t y) const;

  WindowEvents* events_ = nullptr;
  Rect bounds_;
  Bitmap surface_;
  bool visible_ = false;
  int16_t cursor_ = kCrDefault;
  std::vector<ChildControl*> children_;
  ChildControl* focus_ = nullptr;
  ChildControl* capture_ = nullptr;  // the pressed control, until the release
};

}  // namespace velmorant::platform
