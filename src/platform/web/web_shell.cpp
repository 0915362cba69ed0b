#include "platform/web/web_shell.hpp"

#include <algorithm>

#include "platform/fs/case_fold.hpp"
#include "platform/fs/regular_file.hpp"
#include "platform/shell/address_scheme.hpp"
#include "platform/shell/file_role.hpp"
#include "platform/shell/launch_plan.hpp"
#include "platform/shell/logged_shell.hpp"
#include "platform/web/web_file_types.hpp"

namespace velmorant::platform {

namespace {

namespace fs = std::filesystem;

LaunchResult Done() {
  return {true, nullptr, {}};
}

LaunchResult Failed(std::string why) {
  return {false, nullptr, std::move(why)};
}

LaunchResult Shown(Opened opened) {
  if (opened == Opened::kInTab) return Done();
  return Failed("the browser blocked the new tab; the page's bar offers it");
}

std::string FileName(const fs::path& path) {
  return path.filename().string();
}

}  // namespace

WebShell::WebShell(WebOpener& opener, WebShellOptions options)
    : opener_(opener), options_(std::move(options)) {
  std::error_code ec;
  if (!options_.folder.empty()) real_folder_ = fs::weakly_canonical(options_.folder, ec);
  if (ec) real_folder_.clear();
}

LaunchResult WebShell::Launch(const LaunchRequest& request) {
  const LaunchPlan plan = PlanLaunch(request);
  switch (plan.action) {
    case LaunchAction::kRefuse:
      return Failed(plan.why);
    case LaunchAction::kOpenAddress:
      return OpenAddress(plan.target);
    case LaunchAction::kOpenFolder:
      return OpenFolder(plan.target);
    case LaunchAction::kOpenFile:
      // Without its run bit (a picked folder carries none) a program still is one.
      if (request.program && LooksLikeProgram(plan.target)) return RefuseProgram(request);
      return OpenFile(plan.target);
    case LaunchAction::kRunNative:
    case LaunchAction::kRunWindows:
    case LaunchAction::kRunWindowsBatch:
      break;
  }
  return RefuseProgram(request);
}

LaunchResult WebShell::OpenAddress(const std::string& address) {
  if (SchemeOf(address) == "ftp") {
    opener_.OfferAddress(address);
    return Failed("browsers open no ftp addresses; the page's bar shows it");
  }
  return Shown(opener_.OpenAddress(address));
}

LaunchResult WebShell::RefuseProgram(const LaunchRequest& request) {
  const std::string name = request.name.empty() ? FileName(request.file) : request.name;
  opener_.Notice("Ta prezentacja uruchamia program " + name + ", czego przeglądarka nie potrafi");
  return Failed("a browser starts no programs");
}

bool WebShell::Inside(const fs::path& path) const {
  if (real_folder_.empty()) return false;
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(path, ec);
  if (ec) return false;
  const fs::path relative = real.lexically_relative(real_folder_);
  return !relative.empty() && *relative.begin() != "..";
}

std::optional<WebShell::Held> WebShell::Read(const fs::path& path, uint64_t max_bytes,
                                             std::string* error) {
  std::optional<RegularFile> file = RegularFile::Open(path, max_bytes, error);
  if (!file) return std::nullopt;
  Held held;
  if (options_.memory) {
    std::optional<MemoryBudget::Charge> charge = options_.memory->Reserve(file->Size());
    if (!charge) {
      *error = options_.memory->Refusal(file->Size());
      return std::nullopt;
    }
    held.charge = std::move(*charge);
  }
  std::optional<std::vector<uint8_t>> bytes = file->ReadAll();
  if (!bytes) {
    *error = "cannot be read";
    return std::nullopt;
  }
  held.bytes = std::move(*bytes);
  return held;
}

std::string WebShell::Type(const std::string& name, const std::vector<uint8_t>& bytes) const {
  return BrowserViewType(name, bytes, options_.code_page);
}

LaunchResult WebShell::OpenFile(const fs::path& path) {
  if (!Inside(path)) return Failed("outside the presentation folder");
  std::string error;
  const std::optional<Held> held = Read(path, kMaxFileBytes, &error);
  if (!held) return Failed(error);
  const std::string name = FileName(path);
  const std::string type = Type(name, held->bytes);
  if (type.empty()) {
    opener_.Download(name, held->bytes);
    return Done();
  }
  return Shown(opener_.OpenFile(name, type, held->bytes));
}

LaunchResult WebShell::OpenFolder(const fs::path& path) {
  std::error_code ec;
  if (!Inside(path)) return Failed("outside the presentation folder");
  if (!fs::is_directory(path, ec)) return Failed("not a folder");
  struct Entry {
    std::string folded;
    fs::path path;
  };
  std::vector<Entry> entries;
  for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
    if (entries.size() == kMaxListedEntries) break;
    entries.push_back({FoldCaseUtf8(FileName(it->path())), it->path()});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.folded < b.folded; });
  const fs::path relative = fs::weakly_canonical(path, ec).lexically_relative(real_folder_);
  opener_.BeginListing(relative == "." ? FileName(real_folder_) : relative.string());
  uint64_t room = kMaxFileBytes;
  for (const Entry& entry : entries) {
    const std::string name = FileName(entry.path);
    if (!Inside(entry.path)) continue;
    if (fs::is_directory(entry.path, ec)) {
      opener_.ListFolder(name);
      continue;
    }
    std::string error;
    std::optional<Held> held = Read(entry.path, room, &error);
    if (!held) {
      opener_.ListFile(name, {}, {});
      continue;
    }
    room -= held->bytes.size();
    opener_.ListFile(name, Type(name, held->bytes), held->bytes);
  }
  return Shown(opener_.EndListing());
}

std::unique_ptr<Shell> MakeWebShell(EventLog& log, bool no_launch, WebOpener& opener,
                                    WebShellOptions options) {
  return std::make_unique<LoggedShell>(std::make_unique<WebShell>(opener, std::move(options)), log,
                                       no_launch);
}

}  // namespace velmorant::platform
