#pragma once

#include "platform/window/clipboard.hpp"

namespace velmorant::platform {

// The desktop's clipboard through SDL (the CLIPBOARD selection on X11).
class SdlClipboard final : public Clipboard {
 public:
  void SetText(const std::string& utf8) override;
  std::string Text() const override;
};

}  // namespace velmorant::platform
