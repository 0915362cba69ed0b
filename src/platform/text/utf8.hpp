#pragma once

#include <string>
#include <string_view>

namespace velmorant::platform {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes UTF-8; every malformed, overlong or surrogate sequence becomes one U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace velmorant::platform
