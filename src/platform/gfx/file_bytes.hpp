#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// Reads a whole regular file of at most `max_bytes` bytes. Larger, missing or unreadable files and
// anything but a regular file (a folder, a pipe, a device) give an error; it does not name the
// file, so that the caller's warning names it once, as it wants it shown.
DecodeResult<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                 uint64_t max_bytes);

// The first bytes of a regular file and the size of all of it.
struct FileStart {
  std::vector<uint8_t> bytes;
  uint64_t whole_size = 0;
};

// Reads at most the first `max_bytes` of a regular file of any size; errors as ReadFileBytes.
DecodeResult<FileStart> ReadFileStart(const std::filesystem::path& path, uint64_t max_bytes);

}  // namespace velmorant::platform
