#include "platform/shell/command_line_words.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsArguments(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          word += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < line.size() && (quoted || !IsBlank(line[i]))) word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string ReplaceHashes(std::string_view text, std::string_view folder) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '#') {
      out += folder;
    } else {
      out += c;
    }
  }
  return out;
}

std::string WineDrivePath(std::string_view posix_path) {
  std::string path = "Z:" + std::string(posix_path);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace velmorant::platform
