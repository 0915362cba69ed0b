#pragma once

#include <SDL.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace velmorant::platform {

struct SdlDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

template <class T>
using SdlPtr = std::unique_ptr<T, SdlDeleter>;

// A failure of SDL that leaves the desktop unusable (no display, no renderer).
class SdlError : public std::runtime_error {
 public:
  explicit SdlError(const std::string& what) : std::runtime_error(what + ": " + SDL_GetError()) {}
};

}  // namespace velmorant::platform
