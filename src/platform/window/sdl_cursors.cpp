#include "platform/window/sdl_cursors.hpp"

#include "platform/window/cursor_image.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

namespace {

// A cursor the system does not have.
constexpr SDL_SystemCursor kOwnOnly = SDL_NUM_SYSTEM_CURSORS;

SDL_Cursor* MakeOwnCursor(const CursorImage& image) {
  // SDL copies the pixels into the cursor; the surface only lends them.
  std::vector<uint32_t> pixels = image.argb;
  SdlPtr<SDL_Surface> surface(SDL_CreateRGBSurfaceWithFormatFrom(
      pixels.data(), image.width, image.height, 32, image.width * 4, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) return nullptr;
  return SDL_CreateColorCursor(surface.get(), image.hot_x, image.hot_y);
}

}  // namespace

void SdlCursors::SetScale(double x_factor, double y_factor) {
  if (x_factor == x_factor_ && y_factor == y_factor_) return;
  x_factor_ = x_factor;
  y_factor_ = y_factor;
  const int16_t showing = shown_;
  shown_ = 1;
  for (SdlPtr<SDL_Cursor>* slot : {&arrow_, &hourglass_, &multi_drag_, &hand_}) slot->reset();
  if (showing != 1) Show(showing);
}

SDL_Cursor* SdlCursors::Get(int16_t cursor) {
  const bool own = x_factor_ != 1.0 || y_factor_ != 1.0;
  auto made = [&](SdlPtr<SDL_Cursor>& slot, CursorImage (*picture)(), SDL_SystemCursor system) {
    if (!slot) {
      slot.reset(own || system == kOwnOnly
                     ? MakeOwnCursor(ScaleCursor(picture(), x_factor_, y_factor_))
                     : SDL_CreateSystemCursor(system));
    }
    return slot.get();
  };
  switch (cursor) {
    case kCrHourGlass:
      return made(hourglass_, HourglassCursor, SDL_SYSTEM_CURSOR_WAIT);
    case kCrMultiDrag:
      return made(multi_drag_, MultiDragCursor, kOwnOnly);
    case kCrHandPoint:
      return made(hand_, HandCursor, SDL_SYSTEM_CURSOR_HAND);
    default:
      return made(arrow_, ArrowCursor, SDL_SYSTEM_CURSOR_ARROW);
  }
}

void SdlCursors::Show(int16_t cursor) {
  if (cursor == shown_) return;
  if (SDL_Cursor* c = Get(cursor)) SDL_SetCursor(c);
  shown_ = cursor;
}

}  // namespace velmorant::platform
