#pragma once

#include "platform/gfx/bitmap.hpp"

namespace velmorant {

// The about box's logo, 69 x 70: a lime V in an aqua frame on black.
platform::Bitmap AboutLogo();

}  // namespace velmorant
