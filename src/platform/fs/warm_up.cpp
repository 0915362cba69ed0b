#include "platform/fs/warm_up.hpp"

#include "platform/fs/regular_file.hpp"

namespace velmorant::platform {

bool WarmUpFile(const std::string& path) {
  auto file = RegularFile::Open(path, UINT64_MAX, nullptr);
  return file && file->ReadAhead();
}

}  // namespace velmorant::platform
