#pragma once

#include <string>

namespace velmorant::platform {

// The desktop's clipboard for text, in UTF-8. Without a desktop (headless, tests) a clipboard of
// the player's own keeps what was copied last.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& utf8) = 0;
  virtual std::string Text() const = 0;
};

class MemoryClipboard final : public Clipboard {
 public:
  void SetText(const std::string& utf8) override { text_ = utf8; }
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace velmorant::platform
