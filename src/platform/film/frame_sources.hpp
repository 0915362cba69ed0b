#pragma once

#include <memory>

#include "platform/film/frame_source.hpp"

namespace velmorant::platform {

// The headless and browser film source: pictures decoded just in time on the asking thread, no
// sound.
std::unique_ptr<FrameSource> MakeSyncFrameSource();

}  // namespace velmorant::platform
