#pragma once

#include <string>

#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

// Prints rich-text documents.
class Printer {
 public:
  virtual ~Printer() = default;
  // Prints `document` under the job title `title` (UTF-8); `document_name` is its file name
  // without folders. False when it was not printed.
  virtual bool Print(const std::string& title, const std::string& document_name,
                     const RichDocument& document) = 0;
};

}  // namespace velmorant::platform
