#pragma once

#include <fontconfig/fontconfig.h>

#include <optional>
#include <string>

#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// The font file fontconfig chose for a wanted, and what that face provides itself.
struct FontMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool face_is_bold = false;
  bool face_is_italic = false;
};

// Finds the scalable face for `wanted` (see ChooseFamily); nothing when the configuration has no
// fonts.
std::optional<FontMatch> MatchFont(FcConfig* config, const FontRequest& wanted);

}  // namespace velmorant::platform
