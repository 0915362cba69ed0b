#include "platform/gfx/file_bytes.hpp"

#include <algorithm>
#include <cstdint>
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

DecodeResult<FileStart> ReadFileStart(const std::filesystem::path& path, uint64_t max_bytes) {
  std::string error;
  auto file = RegularFile::Open(path, UINT64_MAX, &error);
  if (!file) return DecodeError{std::move(error)};
  FileStart start;
  start.whole_size = file->Size();
  start.bytes.resize(size_t(std::min(max_bytes, start.whole_size)));
  size_t got = 0;
  while (got < start.bytes.size()) {
    const int64_t n = file->ReadAt(got, start.bytes.data() + got, start.bytes.size() - got);
    if (n < 0) return DecodeError{"read error"};
    if (n == 0) break;  // shrunk since it was sized
    got += size_t(n);
  }
  start.bytes.resize(got);
  return start;
}

}  // namespace velmorant::platform
