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

// A program's command line as it is started from a template whose '#' stand for a folder: the
// whole line (what the log shows) and its arguments. The template is split before the folder goes
// in, so a folder with blanks or quotes in its name stays one argument.
struct StartedCommandLine {
  std::string line;
  std::vector<std::string> arguments;
};

// For a native program: `folder` is a POSIX path ending in '/', and the backslashes of the path
// after a '#' (up to the end of its argument) become '/', since the program reads '/' paths.
// An empty folder replaces nothing.
StartedCommandLine NativeCommandLine(std::string_view command_template, std::string_view folder);

// For a Windows program under wine: the folder in its drive form, backslashes kept.
StartedCommandLine WindowsCommandLine(std::string_view command_template, std::string_view folder);

}  // namespace velmorant::platform
