#pragma once

#include <cstddef>
#include <string>

namespace velmorant::platform {

// The first `limit` bytes of a regular file (fewer when it is shorter); nothing of anything else,
// without blocking on a pipe. The file is not kept open.
std::string ReadFileHead(const std::string& path, size_t limit);

}  // namespace velmorant::platform
