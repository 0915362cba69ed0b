#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorant::platform {

// The browser's print dialog, as the web printer needs it. The browser's own is
// BrowserPrintDialog; tests give a fake.
class WebPrintDialog {
 public:
  virtual ~WebPrintDialog() = default;
  // Opens the dialog on `sheets`, PNG pictures of A4 sheets in order, one a sheet, under the job
  // title `title` (UTF-8); false when the page could not.
  virtual bool Print(const std::string& title, const std::vector<std::vector<uint8_t>>& sheets) = 0;
};

}  // namespace velmorant::platform
