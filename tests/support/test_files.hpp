#pragma once

// Files for tests: a fresh folder per test, bytes written to a file, and what a hostile
// presentation may hold in place of a picture or a definition: a pipe (whose open would block), a
// folder, a device, and a sparse file far beyond any size bound.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmorant::testing {

// A new, empty folder for the running test, named `prefix` + the test's name.
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto dir = std::filesystem::path(::testing::TempDir()) / (prefix + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// Writes `bytes` to `path`, creating its folder.
inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void MakeFifo(const std::filesystem::path& path) {
  const std::string command = "mkfifo '" + path.string() + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot " + command);
}

// A file of `bytes` bytes that takes no room on disk.
inline void MakeSparseFile(const std::filesystem::path& path, uint64_t bytes) {
  std::ofstream(path, std::ios::binary).put('B');
  std::filesystem::resize_file(path, bytes);
}

struct SpecialFiles {
  std::filesystem::path pipe, folder, device, huge;
};

// The four kinds inside `dir`, each named `stem` + what it is + `extension`; the device is a link
// to /dev/zero.
inline SpecialFiles MakeSpecialFiles(const std::filesystem::path& dir, const std::string& stem,
                                     const std::string& extension) {
  SpecialFiles f{dir / (stem + "pipe" + extension), dir / (stem + "folder" + extension),
                 dir / (stem + "zero" + extension), dir / (stem + "huge" + extension)};
  std::filesystem::create_directories(f.folder);
  MakeFifo(f.pipe);
  std::filesystem::create_symlink("/dev/zero", f.device);
  MakeSparseFile(f.huge, uint64_t{8} << 30);
  return f;
}

}  // namespace velmorant::testing
