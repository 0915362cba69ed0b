#pragma once

#include <cstdint>

#include "platform/window/sdl_handles.hpp"

namespace velmorant::platform {

// The mouse cursors the player shows, by the form library's cursor numbers; made on first use.
class SdlCursors {
 public:
  // Shows `cursor` (kCrDefault shows the arrow); nothing happens when it shows already.
  void Show(int16_t cursor);
  // Cursors grow with a scaled screen's picture: then they are all our own pictures, enlarged.
  void SetScale(double x_factor, double y_factor);

 private:
  SDL_Cursor* Get(int16_t cursor);

  SdlPtr<SDL_Cursor> arrow_;
  SdlPtr<SDL_Cursor> hourglass_;
  SdlPtr<SDL_Cursor> multi_drag_;
  SdlPtr<SDL_Cursor> hand_;
  double x_factor_ = 1.0;
  double y_factor_ = 1.0;
  int16_t shown_ = 1;  // no cursor number: the first Show always sets one
};

}  // namespace velmorant::platform
