#pragma once

#include <string>

namespace velmorant::platform {

// The font file chosen for a request, and what that face provides itself (not what a renderer
// would make up for it).
struct FontMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool face_is_bold = false;
  bool face_is_italic = false;

  friend bool operator==(const FontMatch&, const FontMatch&) = default;
};

}  // namespace velmorant::platform
