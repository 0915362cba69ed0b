#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
// `snapshot NAME`; `#` starts a comment.
ScriptParseResult ParseScript(const std::string& text);

}  // namespace velmorant::platform
