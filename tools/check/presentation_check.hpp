#pragma once

#include <filesystem>

#include "check/finding.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant::check {

// Everything `velmorant-med check` reports about a presentation folder, in order: the definition,
// then the files of its records, indexes, reachable pages, ignored values and unused files.
Findings CheckPresentation(const std::filesystem::path& folder, const platform::CodePage& codes);

}  // namespace velmorant::check
