#include "elements/interactive/link_target.hpp"

#include <optional>

#include "platform/fs/case_fold.hpp"
#include "platform/shell/address_scheme.hpp"

namespace velmorant {

namespace {

using Kind = LinkTarget::Kind;

constexpr const char* kOutside = "outside the presentation folder";

LinkTarget Refused(std::string why) {
  return {Kind::kRefused, std::move(why)};
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Nothing for a broken escape.
std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += char(high * 16 + low);
    i += 2;
  }
  return out;
}

bool ClimbsOut(std::string_view name) {
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

// An absolute POSIX path: inside the presentation folder, relative to it.
LinkTarget InsidePresentation(std::string_view path, std::string_view folder) {
  if (platform::HoldsControlCharacter(path)) return Refused("the target holds control characters");
  std::string_view relative;
  if (path.starts_with(folder)) {
    relative = path.substr(folder.size());
  } else if (path.size() + 1 == folder.size() && folder.starts_with(path)) {
    relative = {};  // the presentation folder itself
  } else {
    return Refused(kOutside);
  }
  if (ClimbsOut(relative)) return Refused(kOutside);
  return {Kind::kInPresentation, std::string(relative)};
}

// file:///path, file://localhost/path or file:/path.
LinkTarget FileAddress(std::string_view address, std::string_view folder) {
  std::string_view rest = address.substr(5);
  // A fragment or a query is no part of the file's name.
  rest = rest.substr(0, rest.find_first_of("?#"));
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && platform::FoldCaseUtf8(host) != "localhost") {
      return Refused("a file on another computer");
    }
    if (slash == std::string_view::npos) return Refused(kOutside);
    rest.remove_prefix(slash);
  }
  if (!rest.starts_with('/')) return Refused("not a file: address of this computer");
  const std::optional<std::string> path = PercentDecoded(rest);
  if (!path) return Refused("a broken escape in a file: address");
  return InsidePresentation(*path, folder);
}

bool IsWindowsAbsolute(std::string_view name) {
  const bool drive = name.size() >= 2 && name[1] == ':';
  return drive || name.starts_with('\\');
}

}  // namespace

LinkTarget ClassifyLinkTarget(std::string_view target, std::string_view presentation_folder) {
  if (platform::HoldsControlCharacter(target)) {
    return Refused("the target holds control characters");
  }
  // As the desktop takes a web name typed without its scheme.
  if (platform::FoldCaseUtf8(target.substr(0, 4)) == "www.") {
    return {Kind::kWebAddress, "http://" + std::string(target)};
  }
  const std::string scheme = platform::SchemeOf(target);
  if (platform::IsWebScheme(scheme)) return {Kind::kWebAddress, std::string(target)};
  if (scheme == "file") return FileAddress(target, presentation_folder);
  if (!scheme.empty()) {
    return Refused(
        "not a web address (http, https, ftp, mailto) nor a file inside the "
        "presentation folder");
  }
  if (target.starts_with('/')) return InsidePresentation(target, presentation_folder);
  if (IsWindowsAbsolute(target) || ClimbsOut(target)) return Refused(kOutside);
  return {Kind::kInLinksFolder, std::string(target)};
}

}  // namespace velmorant
