#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmorant::platform {

// The type a browser shows a file of in a tab (PDF, text, a web page, a picture, a sound or a
// film it plays), from the file's extension; empty for a file that can only be downloaded. A
// plain text file is said to be UTF-8 when it is, else in the presentation's code page.
std::string BrowserViewType(const std::string& name, std::span<const uint8_t> bytes, int code_page);

}  // namespace velmorant::platform
