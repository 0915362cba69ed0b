#pragma once

// Owning handles for the fontconfig objects the native catalog uses.

#include <fontconfig/fontconfig.h>

#include <memory>

namespace velmorant::platform {

struct FcConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};

using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

}  // namespace velmorant::platform
