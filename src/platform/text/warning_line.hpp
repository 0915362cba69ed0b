#pragma once

#include <string>
#include <string_view>

namespace velmorant::platform {

// Text from a presentation or a file name made safe to print on a terminal: control characters
// (C0, DEL and the C1 range) are written as the JSON log writes them (\n, \t, \u001b, ...), and
// bytes that are not UTF-8 as \xNN. Everything else is kept, backslashes included.
std::string EscapeControls(std::string_view text);

// One warning line for standard error: "PROGRAM: SUBJECT: WHY\n", both parts escaped. The subject
// is the file, named once (the reason never repeats it).
std::string WarningLine(std::string_view subject, std::string_view why,
                        std::string_view program = "velmorant");

}  // namespace velmorant::platform
