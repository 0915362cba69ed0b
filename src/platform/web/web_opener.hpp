#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmorant::platform {

// Where something the browser was asked to open ended up.
enum class Opened {
  kInTab,  // a new tab shows it
  kOnBar,  // the browser blocked the tab: the page's bar offers it to a click
};

// What the web shell needs of the page around the player: new tabs, the bar that offers what a
// tab could not show, downloads and notices. The browser's own is BrowserOpener; tests give a
// fake. Names and texts are UTF-8.
class WebOpener {
 public:
  virtual ~WebOpener() = default;
  // A web address in a new tab; on the bar when the browser blocks the tab.
  virtual Opened OpenAddress(const std::string& address) = 0;
  // Only on the bar, for an address the browser opens no tab for.
  virtual void OfferAddress(const std::string& address) = 0;
  // A file's bytes shown as `mime` in a new tab; on the bar when the browser blocks the tab.
  virtual Opened OpenFile(const std::string& name, const std::string& mime,
                          std::span<const uint8_t> bytes) = 0;
  // A file the browser shows no view of, saved as a download.
  virtual void Download(const std::string& name, std::span<const uint8_t> bytes) = 0;

  // A folder as a page of its entries, built entry by entry: a file with bytes opens from it in
  // its type (`mime`, or a download when empty); one without is only named, as are folders.
  virtual void BeginListing(const std::string& title) = 0;
  virtual void ListFile(const std::string& name, const std::string& mime,
                        std::span<const uint8_t> bytes) = 0;
  virtual void ListFolder(const std::string& name) = 0;
  virtual Opened EndListing() = 0;

  // A line on the page that does not stop the run.
  virtual void Notice(const std::string& text) = 0;
};

}  // namespace velmorant::platform
