#include "platform/gfx/file_bytes.hpp"

#include <string>

#include "platform/fs/regular_file.hpp"

namespace velmorant::platform {

DecodeResult<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                 uint64_t max_bytes) {
  std::string error;
  auto file = RegularFile::Open(path, max_bytes, &error);
  if (!file) return DecodeError{std::move(error)};
  auto bytes = file->ReadAll();
  if (!bytes) return DecodeError{"read error"};
  return std::move(*bytes);
}

}  // namespace velmorant::platform
