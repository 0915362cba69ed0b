#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmorant::platform {

// Prints rich-text documents.
class Printer {
 public:
  virtual ~Printer() = default;
  // Prints the document whose RTF source is `rtf` under `title`; false when it was not printed.
  virtual bool Print(const std::string& title, std::span<const uint8_t> rtf) = 0;
};

}  // namespace velmorant::platform
