// A run of the player over the benchmark presentation that checks it did what the figures assume:
// every key press changed the page, and the last page shows its background and masked maps.
#pragma once

#include <string>

#include "full_hd_presentation.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant::bench {

// Start-up, then `changes` page changes (an even number ends on page 0). Empty when the run was
// as designed, otherwise what went wrong.
std::string CheckedRun(const FullHdPresentation& show, const platform::CodePage& codepage,
                       int changes);

}  // namespace velmorant::bench
