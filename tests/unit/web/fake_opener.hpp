#pragma once

#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"

#include "platform/web/web_opener.hpp"
#include "platform/web/web_print_dialog.hpp"

namespace velmorant::testing {

// A page's side that notes everything asked of it, one line each, and opens tabs unless told
// the browser blocks them.
class FakeOpener final : public platform::WebOpener {
 public:
  platform::Opened OpenAddress(const std::string& address) override {
    return Note("tab " + address);
  }
  void OfferAddress(const std::string& address) override { calls.push_back("bar " + address); }
  platform::Opened OpenFile(const std::string& name, const std::string& mime,
                            std::span<const uint8_t> bytes) override {
    return Note("file " + name + " " + mime + " " + Text(bytes));
  }
  void Download(const std::string& name, std::span<const uint8_t> bytes) override {
    calls.push_back("download " + name + " " + Text(bytes));
  }
  void BeginListing(const std::string& title) override { calls.push_back("listing " + title); }
  void ListFile(const std::string& name, const std::string& mime,
                std::span<const uint8_t> bytes) override {
    calls.push_back("  " + name + " " + mime + " " + Text(bytes));
  }
  void ListFolder(const std::string& name) override { calls.push_back("  " + name + "/"); }
  platform::Opened EndListing() override { return Note("end"); }
  void Notice(const std::string& text) override { calls.push_back("notice " + text); }

  std::vector<std::string> calls;
  bool blocks_tabs = false;

 private:
  static std::string Text(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  platform::Opened Note(std::string call) {
    calls.push_back(std::move(call));
    return blocks_tabs ? platform::Opened::kOnBar : platform::Opened::kInTab;
  }
};

// A print dialog that keeps every job's title and the last job's sheets.
class FakePrintDialog final : public platform::WebPrintDialog {
 public:
  void BeginJob(const std::string& title) override {
    titles.push_back(title);
    sheets.clear();
  }
  void AddSheet(const platform::Bitmap& sheet) override { sheets.push_back(sheet); }
  bool Open() override {
    ++opened;
    return true;
  }
  std::vector<std::string> titles;
  std::vector<platform::Bitmap> sheets;
  int opened = 0;
};

}  // namespace velmorant::testing
