#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/window.hpp"

namespace velmorant::platform {

// One line of a headless run's script.
struct ScriptCommand {
  enum class Kind { kWait, kMove, kClick, kKey, kWheel, kClose, kSnapshot };
  Kind kind = Kind::kWait;
  int64_t ms = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t delta = 0;
  uint16_t key = 0;
  MouseButton button = MouseButton::kLeft;
  std::string name;
  int line = 0;
};

struct ScriptParseResult {
  std::vector<ScriptCommand> commands;
  std::string error;  // empty when the whole script parsed
};

// `wait MS`, `move X Y`, `click X Y [left|right|middle]`, `key VK`, `wheel X Y DELTA`, `close`,
// `snapshot NAME`; `#` starts a comment. A UTF-8 byte-order mark at the start is skipped.
ScriptParseResult ParseScript(std::string_view text);

// The largest script read: far more commands than any run needs.
inline constexpr uint64_t kMaxScriptBytes = uint64_t{16} << 20;

// Reads and parses a script file: a regular file of at most kMaxScriptBytes. The error says what
// is wrong without naming the file.
ScriptParseResult ReadScriptFile(const std::filesystem::path& path);

}  // namespace velmorant::platform
