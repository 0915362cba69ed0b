#include "platform/fs/warm_up.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace velmorant::platform {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadThrough(int fd) {
  std::array<char, 64 * 1024> chunk;
  for (;;) {
    const ssize_t n = ::read(fd, chunk.data(), chunk.size());
    if (n == 0) return true;
    if (n < 0) return false;
  }
}

}  // namespace

bool WarmUpFile(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return false;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  // The kernel reads the file into its cache without a copy to us; where it cannot, read it.
  if (::readahead(file.get(), 0, size_t(info.st_size)) == 0) return true;
  return ReadThrough(file.get());
}

}  // namespace velmorant::platform
