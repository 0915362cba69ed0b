#pragma once

#include <string>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// The browser's print dialog, as the web printer needs it: one job at a time, its sheets handed
// over one by one so that only one is ever held. The browser's own is BrowserPrintDialog; tests
// give a fake.
class WebPrintDialog {
 public:
  virtual ~WebPrintDialog() = default;
  // A new job under the title `title` (UTF-8), forgetting any sheets of one not opened.
  virtual void BeginJob(const std::string& title) = 0;
  // The next A4 sheet of the job, as it is printed.
  virtual void AddSheet(const Bitmap& sheet) = 0;
  // Opens the dialog on the job's sheets; false when the page could not.
  virtual bool Open() = 0;
};

}  // namespace velmorant::platform
