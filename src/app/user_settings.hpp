#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/scale_mode.hpp"

namespace velmorant {

// The user's own choices for the desktop player, from an INI file of `key = value` lines
// (`#` or `;` start a comment, [sections] are ignored). The command line wins over them.
struct UserSettings {
  std::optional<platform::ScaleMode> scale;  // scale = none | fit | integer | stretch
  std::optional<int> display;                // display = N, the monitor, 0 the first
  std::vector<std::string> warnings;         // what could not be used, with its line number
};

inline constexpr uint64_t kMaxUserSettingsBytes = 64 * 1024;

// $XDG_CONFIG_HOME/velmorant/settings.ini, or under $HOME/.config when that is not set; empty
// when neither names an absolute folder. The arguments are the two variables' values or null.
std::filesystem::path UserSettingsPath(const char* xdg_config_home, const char* home);
UserSettings ParseUserSettings(std::string_view text);
// A missing file is no settings at all; one that cannot be read is a warning.
UserSettings ReadUserSettings(const std::filesystem::path& path);

}  // namespace velmorant
