#pragma once

#include <string>

namespace velmorant::platform {

// Brings a whole file into the system's file cache so that a later load is fast; false when the
// file cannot be opened or read. The content is not copied out of the cache.
bool WarmUpFile(const std::string& path);

}  // namespace velmorant::platform
