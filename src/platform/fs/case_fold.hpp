#pragma once

#include <string>
#include <string_view>

namespace velmorant::platform {

// The lower-case form of a code point, for the scripts of the Windows single-byte code pages
// (Latin, Greek, Cyrillic); other code points are returned unchanged.
char32_t FoldCase(char32_t code_point);

// A UTF-8 text with every code point folded; malformed bytes are kept as they are.
std::string FoldCaseUtf8(std::string_view text);

}  // namespace velmorant::platform
