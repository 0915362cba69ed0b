#pragma once

namespace velmorant {

// The player's whole run for a command line: parses it, plays, and gives the exit status (0 played,
// 1 not played, 2 usage error). Nothing escapes it: whatever is thrown ends with a message on
// standard error and status 1, never with an abort.
int RunPlayer(int argc, const char* const* argv);

}  // namespace velmorant
