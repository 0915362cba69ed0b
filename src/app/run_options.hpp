#pragma once

#include <filesystem>
#include <string>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant {

// The player's options for one presentation folder as the command line gives them.
PlayerOptions PlayerOptionsFor(const CommandLine& cl, const std::filesystem::path& folder);

// The headless run the command line asks for, its script read; an error in words when the script
// cannot be read.
std::string HeadlessOptionsFor(const CommandLine& cl, platform::HeadlessOptions& options);

}  // namespace velmorant
