#include "platform/web/browser_opener.hpp"

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
int velmorant_print(const char* title, const uint8_t* const* sheets, const int* sizes, int count);
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

bool BrowserPrintDialog::Print(const std::string& title,
                               const std::vector<std::vector<uint8_t>>& sheets) {
  std::vector<const uint8_t*> pictures;
  std::vector<int> sizes;
  for (const std::vector<uint8_t>& sheet : sheets) {
    pictures.push_back(sheet.data());
    sizes.push_back(int(sheet.size()));
  }
  return velmorant_print(title.c_str(), pictures.data(), sizes.data(), int(sheets.size())) != 0;
}

}  // namespace velmorant::platform
