#pragma once

#include <memory>

#include "platform/film/frame_source.hpp"

namespace velmorant::platform {

// The headless film source: pictures decoded just in time on the asking thread, no sound. A
// backend without a film decoder gives one that opens nothing.
std::unique_ptr<FrameSource> MakeSyncFrameSource();

}  // namespace velmorant::platform
