#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// Reads a whole regular file of at most `max_bytes` bytes. Larger, missing, unreadable or
// special files (devices, pipes) give an error naming the file.
DecodeResult<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                 uint64_t max_bytes);

}  // namespace velmorant::platform
