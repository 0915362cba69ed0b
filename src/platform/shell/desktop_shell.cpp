#include "platform/shell/desktop_shell.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/fs/case_fold.hpp"
#include "platform/shell/command_line_words.hpp"
#include "platform/shell/file_role.hpp"
#include "platform/shell/program_spawn.hpp"

namespace velmorant::platform {

namespace {

namespace fs = std::filesystem;

LaunchResult Failed(std::string why) {
  return {false, nullptr, std::move(why)};
}

// The scheme of an address ("http", "mailto", ...); one letter before ':' is a drive, not a
// scheme.
std::string SchemeOf(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return {};
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return {};
  for (size_t i = 1; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return FoldCaseUtf8(text.substr(0, colon));
}

// A local name in the request's folder when it is relative, with '\' as a separator; absolute.
std::string LocalPath(const std::string& name, const std::string& directory) {
  std::string path = name;
  std::replace(path.begin(), path.end(), '\\', '/');
  fs::path p(path);
  if (p.is_relative() && !directory.empty()) p = fs::path(directory) / p;
  std::error_code ec;
  const fs::path absolute = fs::absolute(p, ec);
  return (ec ? p : absolute).lexically_normal().string();
}

std::string AbsoluteFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::error_code ec;
  std::string absolute = fs::absolute(folder, ec).string();
  if (ec) absolute = folder;
  if (absolute.back() != '/') absolute += '/';
  return absolute;
}

std::string FileUriPath(const std::string& uri) {
  // file:///a/b, file://localhost/a/b; anything else is left to the scheme's handler.
  std::string_view rest = std::string_view(uri).substr(5);
  if (rest.rfind("//localhost/", 0) == 0) return std::string(rest.substr(11));
  if (rest.rfind("///", 0) == 0) return std::string(rest.substr(2));
  return {};
}

bool StartsLikeWebAddress(std::string_view name) {
  return FoldCaseUtf8(name.substr(0, 4)) == "www.";
}

}  // namespace

DesktopShell::DesktopShell(DesktopShellOptions options)
    : options_(std::move(options)),
      reaper_(std::make_shared<ChildReaper>(options_.grace)),
      opener_(reaper_) {}

LaunchResult DesktopShell::Launch(const LaunchRequest& request) {
  if (request.file.empty()) return Failed("nothing to open");
  if (request.verb != "open" && request.verb != "explore") {
    return Failed("the verb \"" + request.verb + "\" is not supported");
  }
  const std::string scheme = SchemeOf(request.file);
  std::string path;
  if (scheme == "file") {
    path = FileUriPath(request.file);
    if (path.empty()) return opener_.OpenAddress(request.file, request.directory);
  } else if (!scheme.empty()) {
    if (request.verb == "explore") return Failed("not a folder");
    return opener_.OpenAddress(request.file, request.directory);
  } else {
    path = LocalPath(request.file, request.directory);
  }
  std::error_code ec;
  if (request.verb == "explore") {
    if (!fs::is_directory(path, ec)) return Failed("not a folder");
    return opener_.OpenFolder(path, request.directory);
  }
  if (!fs::exists(path, ec)) {
    // As the desktop does with a name typed without its scheme.
    if (scheme.empty() && StartsLikeWebAddress(request.file)) {
      return opener_.OpenAddress("http://" + request.file, request.directory);
    }
    return Failed("no such file or folder");
  }
  return OpenLocal(path, request);
}

LaunchResult DesktopShell::OpenLocal(const std::string& path, const LaunchRequest& request) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return opener_.OpenFolder(path, request.directory);
  switch (RoleOfFile(path)) {
    case FileRole::kNativeProgram:
      return RunNative(path, request);
    case FileRole::kWindowsProgram:
      return RunUnderWine(path, false, request);
    case FileRole::kWindowsBatch:
      return RunUnderWine(path, true, request);
    case FileRole::kDosProgram:
      return Failed("DOS programs are not run");
    case FileRole::kDocument:
      break;
  }
  return opener_.OpenPath(path, request.directory);
}

LaunchResult DesktopShell::RunNative(const std::string& path, const LaunchRequest& request) {
  const std::string folder = AbsoluteFolder(request.hash_folder);
  const std::string line =
      folder.empty() ? request.parameters : ReplaceHashes(request.parameters, folder);
  std::vector<std::string> argv{path};
  for (std::string& word : SplitWindowsArguments(line)) argv.push_back(std::move(word));
  return SpawnProgram(argv, request.directory, reaper_);
}

LaunchResult DesktopShell::RunUnderWine(const std::string& path, bool batch,
                                        const LaunchRequest& request) {
  const char* search_path = std::getenv("PATH");
  const auto wine = FindUsableWine(search_path ? search_path : "", options_.wine32_loader);
  if (!wine) return Failed("a Windows program needs wine with 32-bit support (wine32)");
  const std::string folder = AbsoluteFolder(request.hash_folder);
  const std::string line = folder.empty()
                               ? request.parameters
                               : ReplaceHashes(request.parameters, WineDrivePath(folder));
  std::vector<std::string> argv{wine->string()};
  if (batch) argv.insert(argv.end(), {"cmd", "/c"});
  argv.push_back(path);
  for (std::string& word : SplitWindowsArguments(line)) argv.push_back(std::move(word));
  return SpawnProgram(argv, request.directory, reaper_);
}

}  // namespace velmorant::platform
