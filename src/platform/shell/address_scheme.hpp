#pragma once

#include <string>
#include <string_view>

namespace velmorant::platform {

// The scheme of an address ("http", "mailto", ...), in lower case; empty when there is none. One
// letter before ':' is a drive, not a scheme.
std::string SchemeOf(std::string_view text);

// The schemes a presentation may hand to the desktop: pages of the web and e-mail.
bool IsWebScheme(std::string_view scheme);

// Whether the text holds a control character (a line break, a NUL...): no name or address the
// player opens may.
bool HoldsControlCharacter(std::string_view text);

}  // namespace velmorant::platform
