#pragma once

// The readers behind these targets open files by name, as the player does: each input is written to
// one scratch file of this process, kept open between runs.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace velmorant::fuzzing {

class ScratchFile {
 public:
  explicit ScratchFile(const std::string& extension)
      : path_(std::filesystem::temp_directory_path() /
              ("velmorant-fuzz-" + std::to_string(::getpid()) + extension)) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }

  // The file's name, holding exactly `size` bytes of `data`; empty when it could not be written.
  std::string Holding(const uint8_t* data, size_t size) const {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (f == nullptr) return {};
    const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !written) return {};
    return path_.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace velmorant::fuzzing
