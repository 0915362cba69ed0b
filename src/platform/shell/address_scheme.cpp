#include "platform/shell/address_scheme.hpp"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmorant::platform {

std::string SchemeOf(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return {};
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return {};
  std::string scheme;
  for (size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    scheme += char(std::tolower(c));
  }
  return scheme;
}

bool IsWebScheme(std::string_view scheme) {
  constexpr std::array<std::string_view, 4> kWeb{"http", "https", "ftp", "mailto"};
  return std::find(kWeb.begin(), kWeb.end(), scheme) != kWeb.end();
}

bool HoldsControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
  });
}

}  // namespace velmorant::platform
