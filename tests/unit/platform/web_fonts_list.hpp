#pragma once

// The font files the browser build bundles (src/platform/text/web_fonts.txt) that this machine
// has.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmorant::testing {

inline std::vector<std::string> WebFontsHere() {
  std::ifstream list(std::string(VELMORANT_SOURCE_DIR) + "/src/platform/text/web_fonts.txt");
  std::vector<std::string> files;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && std::filesystem::is_regular_file(line)) files.push_back(line);
  }
  return files;
}

}  // namespace velmorant::testing
