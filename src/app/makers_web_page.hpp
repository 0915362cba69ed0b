#pragma once

#include <string_view>

#include "platform/shell/shell.hpp"

namespace velmorant {

// The about box's fourth label: the maker's web address, which opens in the default browser.
inline constexpr std::string_view kMakersWebAddress = "https://velmorant.example/";
inline constexpr std::string_view kMakersWebLabel = "velmorant.example";

// Opens the maker's web page, as a click on the address label does. The browser is not held: it
// stays open when the about box closes. False when it could not be opened.
bool OpenMakersWebPage(platform::Shell& launcher);

}  // namespace velmorant
