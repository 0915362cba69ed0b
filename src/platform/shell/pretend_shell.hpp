#pragma once

#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// Starts nothing: every launch succeeds and holds a pretend process that runs until it is
// terminated. Headless runs use it, so that they behave as if every program kept running.
class PretendShell final : public Shell {
 public:
  LaunchResult Launch(const LaunchRequest& request) override;
};

}  // namespace velmorant::platform
