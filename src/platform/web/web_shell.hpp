#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/codepage.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/memory_budget.hpp"
#include "platform/shell/shell.hpp"
#include "platform/web/web_opener.hpp"

namespace velmorant::platform {

struct WebShellOptions {
  // Nothing outside this folder is read, whatever a request names.
  std::filesystem::path folder;
  int code_page = CodePage::kDefault;  // of the presentation's plain text files
  // Charged with a file's bytes while they are handed to the page.
  MemoryBudget* memory = nullptr;
};

// The browser's shell: web addresses open in new tabs (ftp ones only on the page's bar, as
// browsers open none), files in a tab where the browser shows their type and else as downloads,
// folders as a page listing their files. A browser starts no programs: a process's program only
// gets a notice on the page. Nothing it opens holds a process.
class WebShell final : public Shell {
 public:
  WebShell(WebOpener& opener, WebShellOptions options);
  LaunchResult Launch(const LaunchRequest& request) override;

  // A single file handed to a tab or a download may have this many bytes; a folder's page opens
  // its files up to this many bytes in all and names the rest.
  static constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;
  static constexpr size_t kMaxListedEntries = 1000;

 private:
  struct Held {
    std::vector<uint8_t> bytes;
    MemoryBudget::Charge charge;
  };

  LaunchResult OpenAddress(const std::string& address);
  LaunchResult OpenFile(const std::filesystem::path& path);
  LaunchResult OpenFolder(const std::filesystem::path& path);
  LaunchResult RefuseProgram(const LaunchRequest& request);
  bool Inside(const std::filesystem::path& path) const;
  std::optional<Held> Read(const std::filesystem::path& path, uint64_t max_bytes,
                           std::string* error);
  std::string Type(const std::string& name, const std::vector<uint8_t>& bytes) const;

  WebOpener& opener_;
  WebShellOptions options_;
  std::filesystem::path real_folder_;
};

// The launcher of a browser run: a WebShell logged as every launcher is; with `no_launch` it only
// logs the attempts.
std::unique_ptr<Shell> MakeWebShell(EventLog& log, bool no_launch, WebOpener& opener,
                                    WebShellOptions options);

}  // namespace velmorant::platform
