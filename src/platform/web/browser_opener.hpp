#pragma once

#include <vector>

#include "platform/web/web_opener.hpp"
#include "platform/web/web_print_dialog.hpp"

namespace velmorant::platform {

// Tabs, the bar, downloads and notices of the page the player runs in, through the functions
// velmorant-open-library.js gives the wasm module.
class BrowserOpener final : public WebOpener {
 public:
  Opened OpenAddress(const std::string& address) override;
  void OfferAddress(const std::string& address) override;
  Opened OpenFile(const std::string& name, const std::string& mime,
                  std::span<const uint8_t> bytes) override;
  void Download(const std::string& name, std::span<const uint8_t> bytes) override;
  void BeginListing(const std::string& title) override;
  void ListFile(const std::string& name, const std::string& mime,
                std::span<const uint8_t> bytes) override;
  void ListFolder(const std::string& name) override;
  Opened EndListing() override;
  void Notice(const std::string& text) override;
};

// The page's print dialog, on a hidden frame of the page with one sheet picture a page.
class BrowserPrintDialog final : public WebPrintDialog {
 public:
  void BeginJob(const std::string& title) override;
  void AddSheet(const Bitmap& sheet) override;
  bool Open() override;

 private:
  std::vector<uint8_t> rgba_;  // one sheet as the canvas takes it, reused
};

}  // namespace velmorant::platform
