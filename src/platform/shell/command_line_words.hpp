#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmorant::platform {

// The arguments of a Windows command line, split as Windows programs split them: blanks separate
// words outside quotes, quotes group, 2n backslashes before a quote give n and the quote groups,
// 2n+1 give n and a literal quote, "" inside quotes is a literal quote.
std::vector<std::string> SplitWindowsArguments(std::string_view command_line);

// `text` with every '#' replaced by `folder`; there is no escape for a literal '#'.
std::string ReplaceHashes(std::string_view text, std::string_view folder);

// A POSIX path as a program under wine sees it, on the drive that maps the root: /a/b/ -> Z:\a\b\.
std::string WineDrivePath(std::string_view posix_path);

}  // namespace velmorant::platform
