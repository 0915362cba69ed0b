#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/backend.hpp"
#include "platform/window/scale_mode.hpp"

namespace velmorant {

// The player's command line, as outside checks rely on it.
struct CommandLine {
  std::string interval;  // the first free argument: slide-show seconds
  std::optional<std::filesystem::path> presentation;
  bool headless = false;
  std::optional<std::filesystem::path> script;
  std::filesystem::path snapshots = ".";
  std::optional<std::string> log;
  platform::ScreenInfo screen;
  platform::MessageAnswer answer = platform::MessageAnswer::kYes;
  std::optional<platform::Size> window;
  std::optional<int> display;
  std::optional<platform::ScaleMode> scale;
  int codepage = 1250;
  bool no_launch = false;
  std::optional<std::filesystem::path> print_to;
  std::optional<std::filesystem::path> handout;
  std::optional<std::filesystem::path> record;
  int fps = 25;
  bool help = false;
  bool version = false;
};

struct CommandLineResult {
  CommandLine options;
  std::string error;  // a usage error: shown on stderr, exit status 2
};

CommandLineResult ParseCommandLine(int argc, const char* const* argv);
// The presentation folder a path names: the folder itself, or the folder of its info.med.
std::filesystem::path PresentationFolder(const std::filesystem::path& path);
std::string UsageText();

}  // namespace velmorant
