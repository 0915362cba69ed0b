#include "platform/window/headless_script.hpp"

#include <charconv>
#include <sstream>

namespace velmorant::platform {

namespace {

template <class T>
bool ParseNumber(const std::string& word, T& out) {
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, out);
  return ec == std::errc() && ptr == end;
}

std::string ParseLine(const std::vector<std::string>& w, ScriptCommand& c) {
  const std::string& verb = w[0];
  auto want = [&](size_t lo, size_t hi) { return w.size() >= lo && w.size() <= hi; };
  if (verb == "wait") {
    c.kind = ScriptCommand::Kind::kWait;
    if (!want(2, 2) || !ParseNumber(w[1], c.ms) || c.ms < 0) return "wait takes MS (>= 0)";
  } else if (verb == "move" || verb == "click") {
    c.kind = verb == "move" ? ScriptCommand::Kind::kMove : ScriptCommand::Kind::kClick;
    const size_t most = verb == "move" ? 3 : 4;
    if (!want(3, most) || !ParseNumber(w[1], c.x) || !ParseNumber(w[2], c.y)) {
      return verb + " takes X Y" + (verb == "click" ? " [left|right|middle]" : "");
    }
    if (w.size() == 4) {
      if (w[3] == "left")
        c.button = MouseButton::kLeft;
      else if (w[3] == "right")
        c.button = MouseButton::kRight;
      else if (w[3] == "middle")
        c.button = MouseButton::kMiddle;
      else
        return "unknown button " + w[3];
    }
  } else if (verb == "key") {
    c.kind = ScriptCommand::Kind::kKey;
    int vk = 0;
    if (!want(2, 2) || !ParseNumber(w[1], vk) || vk < 1 || vk > 255) return "key takes VK (1-255)";
    c.key = uint16_t(vk);
  } else if (verb == "wheel") {
    c.kind = ScriptCommand::Kind::kWheel;
    if (!want(4, 4) || !ParseNumber(w[1], c.x) || !ParseNumber(w[2], c.y) ||
        !ParseNumber(w[3], c.delta)) {
      return "wheel takes X Y DELTA";
    }
  } else if (verb == "close") {
    c.kind = ScriptCommand::Kind::kClose;
    if (!want(1, 1)) return "close takes nothing";
  } else if (verb == "snapshot") {
    c.kind = ScriptCommand::Kind::kSnapshot;
    if (!want(2, 2)) return "snapshot takes NAME";
    c.name = w[1];
    if (c.name.find('/') != std::string::npos || c.name == "." || c.name == "..") {
      return "a snapshot NAME is a plain file name";
    }
  } else {
    return "unknown command " + verb;
  }
  return {};
}

}  // namespace

ScriptParseResult ParseScript(const std::string& text) {
  ScriptParseResult result;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    ScriptCommand c;
    c.line = number;
    if (std::string error = ParseLine(w, c); !error.empty()) {
      result.error = "line " + std::to_string(number) + ": " + error;
      result.commands.clear();
      return result;
    }
    result.commands.push_back(c);
  }
  return result;
}

}  // namespace velmorant::platform
