#include "platform/window/sdl_cursors.hpp"

#include "platform/window/cursor_image.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

namespace {

SDL_Cursor* MakeOwnCursor(const CursorImage& image) {
  // SDL copies the pixels into the cursor; the surface only lends them.
  std::vector<uint32_t> pixels = image.argb;
  SdlPtr<SDL_Surface> surface(SDL_CreateRGBSurfaceWithFormatFrom(
      pixels.data(), image.width, image.height, 32, image.width * 4, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) return nullptr;
  return SDL_CreateColorCursor(surface.get(), image.hot_x, image.hot_y);
}

}  // namespace

SDL_Cursor* SdlCursors::Get(int16_t cursor) {
  auto made = [](SdlPtr<SDL_Cursor>& slot, auto make) {
    if (!slot) slot.reset(make());
    return slot.get();
  };
  switch (cursor) {
    case kCrHourGlass:
      return made(hourglass_, [] { return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT); });
    case kCrMultiDrag:
      return made(multi_drag_, [] { return MakeOwnCursor(MultiDragCursor()); });
    case kCrHandPoint:
      return made(hand_, [] { return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND); });
    default:
      return made(arrow_, [] { return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW); });
  }
}

void SdlCursors::Show(int16_t cursor) {
  if (cursor == shown_) return;
  if (SDL_Cursor* c = Get(cursor)) SDL_SetCursor(c);
  shown_ = cursor;
}

}  // namespace velmorant::platform
