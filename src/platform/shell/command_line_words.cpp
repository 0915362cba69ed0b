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

namespace {

// The template with the backslashes that are characters of a path after '#' turned into '/',
// keeping its split: a run of backslashes before a quote keeps the escape it makes.
std::string SlashesAfterHashes(std::string_view text) {
  std::string out;
  bool quoted = false;
  bool after_hash = false;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (!quoted && IsBlank(c)) {
      after_hash = false;
      out += c;
      ++i;
    } else if (c == '\\') {
      size_t run = 0;
      while (i + run < text.size() && text[i + run] == '\\') ++run;
      i += run;
      const bool before_quote = i < text.size() && text[i] == '"';
      if (!after_hash) {
        out.append(run, '\\');
      } else if (before_quote) {
        // 2n backslashes give n characters; 2n+1 give n and a quote that groups nothing.
        out.append(run / 2, '/');
        if (run % 2 == 1) out += '\\';
      } else {
        out.append(run, '/');
      }
      if (before_quote && run % 2 == 1) {
        out += '"';
        ++i;
      }
    } else if (c == '"') {
      if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
        out += "\"\"";
        i += 2;
      } else {
        quoted = !quoted;
        out += c;
        ++i;
      }
    } else {
      if (c == '#') after_hash = true;
      out += c;
      ++i;
    }
  }
  return out;
}

StartedCommandLine WithFolder(std::string_view command_template, std::string_view folder) {
  StartedCommandLine started{ReplaceHashes(command_template, folder), {}};
  for (const std::string& word : SplitWindowsArguments(command_template)) {
    started.arguments.push_back(ReplaceHashes(word, folder));
  }
  return started;
}

}  // namespace

StartedCommandLine NativeCommandLine(std::string_view command_template, std::string_view folder) {
  if (folder.empty()) return WithFolder(command_template, "#");
  return WithFolder(SlashesAfterHashes(command_template), folder);
}

StartedCommandLine WindowsCommandLine(std::string_view command_template, std::string_view folder) {
  if (folder.empty()) return WithFolder(command_template, "#");
  return WithFolder(command_template, WineDrivePath(folder));
}

std::string WineDrivePath(std::string_view posix_path) {
  std::string path = "Z:" + std::string(posix_path);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace velmorant::platform
