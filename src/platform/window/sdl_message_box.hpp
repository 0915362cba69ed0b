#pragma once

#include <SDL.h>

#include <string>

#include "platform/backend.hpp"

namespace velmorant::platform {

// A modal message box over `parent` (may be null) with OK, or Yes and No with No the default.
// A box that cannot be shown answers as its default button would, after telling stderr.
MessageAnswer ShowSdlMessageBox(SDL_Window* parent, const std::string& caption,
                                const std::string& text, MessageButtons buttons, MessageIcon icon);

}  // namespace velmorant::platform
