#include "platform/single_instance.hpp"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace velmorant::platform {

namespace {

constexpr char kRaise[] = "raise\n";

// An abstract socket address: no file, gone with the process that holds it.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  const size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
  std::memcpy(address.sun_path + 1, name.data(), length);
  return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int NewSocket() {
  return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

}  // namespace

std::string SingleInstance::NameFor(const std::string& base, unsigned user_id,
                                    const std::string& display) {
  return base + "." + std::to_string(user_id) + "." + display;
}

std::string SingleInstance::NameForThisSession(const std::string& base) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) display = std::getenv("WAYLAND_DISPLAY");
  return NameFor(base, unsigned(::getuid()), display ? display : "");
}

SingleInstance::SingleInstance(const std::string& name) : name_(name) {
  // The holder may end between our two tries; then the name is free again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (Bind()) {
      outcome_ = Outcome::kFirst;
      return;
    }
    if (errno != EADDRINUSE) return;
    if (AskHolderToRaise()) {
      outcome_ = Outcome::kAnotherRuns;
      return;
    }
  }
}

SingleInstance::~SingleInstance() {
  if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);  // wakes the listener's accept
  if (listener_.joinable()) listener_.join();
  if (socket_ >= 0) ::close(socket_);
}

bool SingleInstance::Bind() {
  const int fd = NewSocket();
  if (fd < 0) return false;
  sockaddr_un address;
  const socklen_t size = AbstractAddress(name_, address);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0 || ::listen(fd, 8) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
  }
  socket_ = fd;
  return true;
}

bool SingleInstance::AskHolderToRaise() {
  const int fd = NewSocket();
  if (fd < 0) return false;
  sockaddr_un address;
  const socklen_t size = AbstractAddress(name_, address);
  bool asked = false;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), size) == 0) {
    asked = ::send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL) == ssize_t(sizeof kRaise - 1);
  }
  ::close(fd);
  return asked;
}

void SingleInstance::Listen(std::function<void()> on_raise) {
  if (socket_ < 0 || listener_.joinable()) return;
  listener_ = std::thread([this, raise = std::move(on_raise)] { Serve(raise); });
}

void SingleInstance::Serve(const std::function<void()>& on_raise) {
  for (;;) {
    const int peer = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
    if (peer < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // shut down
    }
    // A peer that never speaks must not keep the listener from ending.
    const timeval patience{1, 0};
    ::setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    char message[sizeof kRaise] = {};
    const ssize_t got = ::recv(peer, message, sizeof message - 1, 0);
    ::close(peer);
    if (got > 0 && std::strncmp(message, kRaise, sizeof kRaise - 1) == 0 && on_raise) on_raise();
  }
}

}  // namespace velmorant::platform
