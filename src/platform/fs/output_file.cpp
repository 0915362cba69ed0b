#include "platform/fs/output_file.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace velmorant::platform {

std::optional<OutputFile> OutputFile::Create(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return std::nullopt;
  std::FILE* file = ::fdopen(fd, "w");
  if (!file) {
    ::close(fd);
    return std::nullopt;
  }
  return OutputFile(file);
}

bool OutputFile::Write(std::string_view bytes) {
  if (!file_) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) ok_ = false;
  return ok_;
}

bool OutputFile::Flush() {
  if (!file_) return false;
  if (std::fflush(file_.get()) != 0) ok_ = false;
  return ok_;
}

bool OutputFile::Close() {
  if (!file_) return false;
  if (std::fclose(file_.release()) != 0) ok_ = false;
  return ok_;
}

}  // namespace velmorant::platform
