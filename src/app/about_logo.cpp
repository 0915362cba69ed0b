#include "app/about_logo.hpp"

#include "platform/gfx/canvas.hpp"
#include "platform/gfx/colour.hpp"

namespace velmorant {

platform::Bitmap AboutLogo() {
  constexpr int32_t kWidth = 69;
  constexpr int32_t kHeight = 70;
  platform::Bitmap logo(kWidth, kHeight, platform::kBlack);
  platform::Canvas canvas(logo);
  canvas.pen_colour = platform::Rgb(0, 255, 255);
  canvas.MoveTo(0, 0);
  canvas.LineTo(kWidth - 1, 0);
  canvas.LineTo(kWidth - 1, kHeight - 1);
  canvas.LineTo(0, kHeight - 1);
  canvas.LineTo(0, 0);
  // A V eight pixels thick, one line per pixel of its width.
  canvas.pen_colour = platform::Rgb(0, 255, 0);
  for (int32_t i = 0; i < 8; ++i) {
    canvas.MoveTo(12 + i, 12);
    canvas.LineTo(31 + i, 58);
    canvas.MoveTo(49 + i, 12);
    canvas.LineTo(30 + i, 58);
  }
  canvas.pen_colour = platform::Rgb(0, 255, 255);
  canvas.MoveTo(8, 63);
  canvas.LineTo(kWidth - 8, 63);
  return logo;
}

}  // namespace velmorant
