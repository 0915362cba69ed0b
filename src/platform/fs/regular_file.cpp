#include "platform/fs/regular_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace velmorant::platform {

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "a special file";
}

}  // namespace

std::optional<RegularFile> RegularFile::Open(const std::filesystem::path& path, uint64_t max_bytes,
                                             std::string* error) {
  auto fail = [&](std::string why) -> std::optional<RegularFile> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer. It changes nothing
  // for regular files.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fail(std::strerror(errno));
  RegularFile file(fd, 0);
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return fail("not a regular file (" + KindOf(info.st_mode) + ")");
  file.size_ = uint64_t(info.st_size);
  if (file.size_ > max_bytes) {
    return fail("file too large (" + std::to_string(file.size_) + " bytes, at most " +
                std::to_string(max_bytes) + ")");
  }
  return file;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
  }
  return *this;
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<std::vector<uint8_t>> RegularFile::ReadAll() {
  std::vector<uint8_t> bytes(static_cast<size_t>(size_));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done, off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;  // shrank since it was sized: keep what is there
    done += size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

int64_t RegularFile::ReadAt(uint64_t offset, uint8_t* out, size_t size) {
  for (;;) {
    const ssize_t n = ::pread(fd_, out, size, off_t(offset));
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

bool RegularFile::ReadAhead() {
#ifdef __EMSCRIPTEN__
  // The browser's files live in memory already.
  return true;
#else
  if (::readahead(fd_, 0, size_t(size_)) == 0) return true;
  // Where the kernel cannot, read it through.
  std::array<char, 64 * 1024> chunk;
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd_, chunk.data(), chunk.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    at += n;
  }
#endif
}

}  // namespace velmorant::platform
