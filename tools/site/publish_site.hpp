#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/codepage.hpp"
#include "site/presentation_tree.hpp"

namespace velmorant::site {

struct PublishRequest {
  std::filesystem::path presentation;
  std::filesystem::path output;
  std::filesystem::path player;
  TreeLimits limits;
  uint64_t chunk_bytes = 0;  // 0: the usual size
};

struct PublishResult {
  int status = 0;       // 0 published, 1 failed while writing, 2 refused before writing
  std::string subject;  // the file the error is about
  std::string error;
  std::vector<Warning> warnings;
};

// Writes the web player and the presentation as a static site at `output`; on failure `output`
// is as it was.
PublishResult PublishSite(const PublishRequest& request, const platform::CodePage& code_page);

}  // namespace velmorant::site
