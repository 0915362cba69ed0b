#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant {

// The player's options for one presentation folder as the command line gives them.
PlayerOptions PlayerOptionsFor(const CommandLine& cl, const std::filesystem::path& folder);

// The headless run the command line asks for, its script read; an error in words when the script
// cannot be read.
std::string HeadlessOptionsFor(const CommandLine& cl, platform::HeadlessOptions& options);

// Opens the event log the command line names; an error in words when it cannot be written.
std::string OpenLogFor(const CommandLine& cl, platform::EventLog& log);

// The code page the command line names; nothing, with `error` in words, for one not known.
std::optional<platform::CodePage> CodePageFor(const CommandLine& cl, std::string& error);

}  // namespace velmorant
