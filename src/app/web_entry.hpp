#pragma once

namespace velmorant {

// The player's run in a browser page for a command line the page makes: headless when the page
// runs a script (the parity mode), else in the page's canvas. The exit status, also told to the
// page.
int RunWebPlayer(int argc, const char* const* argv);

}  // namespace velmorant
