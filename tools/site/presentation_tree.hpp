#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/codepage.hpp"

namespace velmorant::site {

struct TreeFile {
  std::filesystem::path source;
  std::string name;       // "Bitmapy/Tlo.bmp", UTF-8
  std::string site_path;  // where it goes under show/, segments as on the url before encoding
  std::string url;        // "show/Bitmapy/Tlo.bmp", percent-encoded
  uint64_t size = 0;
  bool executable = false;
};

struct TreeFolder {
  std::string name;
  std::string site_path;
};

struct Tree {
  std::vector<TreeFolder> folders;  // parents before children
  std::vector<TreeFile> files;
  uint64_t total_bytes = 0;
};

struct TreeLimits {
  uint64_t max_bytes = uint64_t{2} << 30;
  size_t max_entries = 100000;
};

struct Warning {
  std::string subject;
  std::string why;
};

struct TreeResult {
  std::optional<Tree> tree;
  std::string error;  // why the folder is too big to publish
};

// The regular files and folders inside `root`, in a stable order, named as a page holds them.
// Links are followed only when they stay inside `root`; what cannot be published is left out with
// a warning.
TreeResult ReadPresentationTree(const std::filesystem::path& root,
                                const platform::CodePage& code_page, const TreeLimits& limits,
                                std::vector<Warning>& warnings);

}  // namespace velmorant::site
