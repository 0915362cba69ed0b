#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmorant::platform {

// A regular file open for reading; closed when the object goes. Anything else that can carry a
// file's name (a folder, a pipe, a device, a socket) is refused without blocking: a pipe named like
// a picture must not hang the player in open().
class RegularFile {
 public:
  // The file, or nothing with `error` saying why in words fit for a warning (the caller names the
  // file). Files larger than `max_bytes` are refused before anything is read.
  static std::optional<RegularFile> Open(const std::filesystem::path& path, uint64_t max_bytes,
                                         std::string* error);

  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&& other) noexcept;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();

  uint64_t Size() const { return size_; }
  // The whole content as it was sized at open (a file that grew since is cut there); nothing on a
  // read error.
  std::optional<std::vector<uint8_t>> ReadAll();
  // Brings the whole content into the system's file cache without copying it out.
  bool ReadAhead();
  // Up to `size` bytes from `offset` on into `out`: the count read (0 at the end), or -1 on a
  // read error.
  int64_t ReadAt(uint64_t offset, uint8_t* out, size_t size);

 private:
  RegularFile(int fd, uint64_t size) : fd_(fd), size_(size) {}

  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace velmorant::platform
