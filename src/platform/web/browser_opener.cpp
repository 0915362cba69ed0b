#include "platform/web/browser_opener.hpp"

#include "platform/web/rgba_pixels.hpp"

extern "C" {
// velmorant-open-library.js
int velmorant_open_address(const char* address);
void velmorant_offer_address(const char* address);
int velmorant_open_file(const char* name, const char* mime, const uint8_t* bytes, size_t size);
void velmorant_download(const char* name, const uint8_t* bytes, size_t size);
void velmorant_listing_begin(const char* title);
void velmorant_listing_file(const char* name, const char* mime, const uint8_t* bytes, size_t size,
                            int readable);
void velmorant_listing_folder(const char* name);
int velmorant_listing_end();
void velmorant_notice(const char* text);
void velmorant_print_begin(const char* title);
void velmorant_print_sheet(const uint8_t* rgba, int width, int height);
int velmorant_print_open();
}

namespace velmorant::platform {

namespace {

Opened OpenedOf(int in_tab) {
  return in_tab ? Opened::kInTab : Opened::kOnBar;
}

}  // namespace

Opened BrowserOpener::OpenAddress(const std::string& address) {
  return OpenedOf(velmorant_open_address(address.c_str()));
}

void BrowserOpener::OfferAddress(const std::string& address) {
  velmorant_offer_address(address.c_str());
}

Opened BrowserOpener::OpenFile(const std::string& name, const std::string& mime,
                               std::span<const uint8_t> bytes) {
  return OpenedOf(velmorant_open_file(name.c_str(), mime.c_str(), bytes.data(), bytes.size()));
}

void BrowserOpener::Download(const std::string& name, std::span<const uint8_t> bytes) {
  velmorant_download(name.c_str(), bytes.data(), bytes.size());
}

void BrowserOpener::BeginListing(const std::string& title) {
  velmorant_listing_begin(title.c_str());
}

void BrowserOpener::ListFile(const std::string& name, const std::string& mime,
                             std::span<const uint8_t> bytes) {
  velmorant_listing_file(name.c_str(), mime.c_str(), bytes.data(), bytes.size(), !bytes.empty());
}

void BrowserOpener::ListFolder(const std::string& name) {
  velmorant_listing_folder(name.c_str());
}

Opened BrowserOpener::EndListing() {
  return OpenedOf(velmorant_listing_end());
}

void BrowserOpener::Notice(const std::string& text) {
  velmorant_notice(text.c_str());
}

void BrowserPrintDialog::BeginJob(const std::string& title) {
  velmorant_print_begin(title.c_str());
}

void BrowserPrintDialog::AddSheet(const Bitmap& sheet) {
  const auto width = size_t(sheet.Width());
  rgba_.resize(width * size_t(sheet.Height()) * 4);
  for (int32_t y = 0; y < sheet.Height(); ++y) {
    PutRgba(sheet.Row(y).data(), width, rgba_.data() + size_t(y) * width * 4);
  }
  velmorant_print_sheet(rgba_.data(), sheet.Width(), sheet.Height());
}

bool BrowserPrintDialog::Open() {
  std::vector<uint8_t>().swap(rgba_);
  return velmorant_print_open() != 0;
}

}  // namespace velmorant::platform
