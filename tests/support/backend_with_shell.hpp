#pragma once

#include "platform/forwarding_backend.hpp"

namespace velmorant::testing {

// A backend that launches through the test's own shell and is otherwise `inner`.
class BackendWithShell final : public platform::ForwardingBackend {
 public:
  BackendWithShell(platform::Backend& inner, platform::Shell& shell)
      : ForwardingBackend(inner), shell_(shell) {}
  platform::Shell& Launcher() override { return shell_; }

 private:
  platform::Shell& shell_;
};

}  // namespace velmorant::testing
