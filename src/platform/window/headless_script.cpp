#include "platform/window/headless_script.hpp"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/gfx/file_bytes.hpp"

namespace velmorant::platform {

namespace {

template <class T>
bool ParseNumber(std::string_view word, T& out) {
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, out);
  return ec == std::errc() && ptr == end;
}

std::string ParseLine(const std::vector<std::string_view>& w, ScriptCommand& c) {
  const std::string_view verb = w[0];
  auto want = [&](size_t lo, size_t hi) { return w.size() >= lo && w.size() <= hi; };
  if (verb == "wait") {
    c.kind = ScriptCommand::Kind::kWait;
    if (!want(2, 2) || !ParseNumber(w[1], c.ms) || c.ms < 0) return "wait takes MS (>= 0)";
  } else if (verb == "move" || verb == "click") {
    c.kind = verb == "move" ? ScriptCommand::Kind::kMove : ScriptCommand::Kind::kClick;
    const size_t most = verb == "move" ? 3 : 4;
    if (!want(3, most) || !ParseNumber(w[1], c.x) || !ParseNumber(w[2], c.y)) {
      return std::string(verb) + " takes X Y" + (verb == "click" ? " [left|right|middle]" : "");
    }
    if (w.size() == 4) {
      if (w[3] == "left")
        c.button = MouseButton::kLeft;
      else if (w[3] == "right")
        c.button = MouseButton::kRight;
      else if (w[3] == "middle")
        c.button = MouseButton::kMiddle;
      else
        return "unknown button " + std::string(w[3]);
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
    c.name = std::string(w[1]);
    if (c.name.find('/') != std::string::npos || c.name == "." || c.name == "..") {
      return "a snapshot NAME is a plain file name";
    }
  } else {
    return "unknown command " + std::string(verb);
  }
  return {};
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\v\f";

// Splits a line into words, into `words` (reused, so that lines cost no allocation).
void SplitWords(std::string_view line, std::vector<std::string_view>& words) {
  words.clear();
  for (size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
    const size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    words.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
}

}  // namespace

ScriptParseResult ParseScript(std::string_view text) {
  ScriptParseResult result;
  // Editors on Windows start UTF-8 files with a byte-order mark.
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> words;
  int number = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    line = line.substr(0, line.find('#'));
    SplitWords(line, words);
    if (words.empty()) continue;
    ScriptCommand c;
    c.line = number;
    if (std::string error = ParseLine(words, c); !error.empty()) {
      result.error = "line " + std::to_string(number) + ": " + error;
      result.commands.clear();
      return result;
    }
    result.commands.push_back(std::move(c));
  }
  return result;
}

ScriptParseResult ReadScriptFile(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path, kMaxScriptBytes);
  if (!bytes) {
    ScriptParseResult result;
    result.error = bytes.error();
    return result;
  }
  return ParseScript(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

}  // namespace velmorant::platform
