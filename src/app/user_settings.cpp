#include "app/user_settings.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/gfx/file_bytes.hpp"

namespace velmorant {

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return out;
}

// An absolute folder from an environment variable, as the base directory rules ask.
std::optional<std::filesystem::path> AbsoluteFolder(const char* value) {
  if (!value || !*value) return std::nullopt;
  std::filesystem::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

}  // namespace

std::filesystem::path UserSettingsPath(const char* xdg_config_home, const char* home) {
  if (auto config = AbsoluteFolder(xdg_config_home)) return *config / "velmorant" / "settings.ini";
  if (auto folder = AbsoluteFolder(home)) {
    return *folder / ".config" / "velmorant" / "settings.ini";
  }
  return {};
}

UserSettings ParseUserSettings(std::string_view text) {
  UserSettings settings;
  int line_number = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++line_number;
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
    const std::string where = "line " + std::to_string(line_number) + ": ";
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      settings.warnings.push_back(where + "not a `key = value` line");
      continue;
    }
    const std::string key = Lower(Trim(line.substr(0, equals)));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (key == "scale") {
      if (auto mode = platform::ParseScaleMode(Lower(value))) {
        settings.scale = mode;
      } else {
        settings.warnings.push_back(where + "scale is none, fit, integer or stretch");
      }
    } else if (key == "display") {
      int n = -1;
      const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (ec == std::errc() && ptr == value.data() + value.size() && n >= 0) {
        settings.display = n;
      } else {
        settings.warnings.push_back(where + "display is a monitor number, 0 for the first");
      }
    } else {
      settings.warnings.push_back(where + "no setting is called " + key);
    }
  }
  return settings;
}

UserSettings ReadUserSettings(const std::filesystem::path& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return {};
  auto bytes = platform::ReadFileBytes(path, kMaxUserSettingsBytes);
  if (!bytes) {
    UserSettings unread;
    unread.warnings.push_back(bytes.error());
    return unread;
  }
  return ParseUserSettings(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

}  // namespace velmorant
