#include "platform/fs/file_head.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmorant::platform {

std::string ReadFileHead(const std::string& path, size_t limit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return {};
  std::string head;
  struct stat status {};
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    head.resize(limit);
    size_t got = 0;
    while (got < limit) {
      const ssize_t n = ::read(fd, head.data() + got, limit - got);
      if (n <= 0) break;
      got += size_t(n);
    }
    head.resize(got);
  }
  ::close(fd);
  return head;
}

}  // namespace velmorant::platform
