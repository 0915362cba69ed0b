#include "app/command_line.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <string_view>

namespace velmorant {

namespace {

constexpr int kMaxFps = 120;

bool ParseInt(std::string_view s, int& out) {
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && ptr == s.data() + s.size();
}

// "WxH" or "WxHxBITS" with positive numbers.
bool ParseDimensions(std::string_view s, int* values, int count) {
  for (int i = 0; i < count; ++i) {
    const size_t x = i + 1 < count ? s.find('x') : std::string_view::npos;
    if (i + 1 < count && x == std::string_view::npos) return false;
    if (!ParseInt(s.substr(0, x), values[i]) || values[i] <= 0 || values[i] > 32768) return false;
    if (x != std::string_view::npos) s.remove_prefix(x + 1);
  }
  return true;
}

bool IsInteger(std::string_view s) {
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDefinitionFile(const std::filesystem::path& path) {
  std::string name = path.filename().string();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  std::error_code ec;
  return name == "info.med" && std::filesystem::is_regular_file(path, ec);
}

// A free argument that is no number but an existing folder or info.med: what a file manager
// passes when a presentation is opened with the player.
bool NamesPresentation(std::string_view arg) {
  if (IsInteger(arg)) return false;
  const std::filesystem::path path{std::string(arg)};
  std::error_code ec;
  return std::filesystem::is_directory(path, ec) || IsDefinitionFile(path);
}

}  // namespace

std::filesystem::path PresentationFolder(const std::filesystem::path& path) {
  if (IsDefinitionFile(path)) {
    const auto folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
  }
  return path;
}

std::string UsageText() {
  return "usage: velmorant [OPTIONS] [DIR | DIR/info.med] [INTERVAL]\n"
         "Plays a presentation: a folder with info.med and its asset folders.\n"
         "\n"
         "  INTERVAL                slide-show interval in seconds (0 to 100; 0 = none)\n"
         "  -p, --presentation DIR  folder with info.med, or that info.med (default: the\n"
         "                          player's own folder)\n"
         "  --headless              run without a display, on a virtual clock\n"
         "  --script FILE           headless: commands to run; the run ends when they are done\n"
         "  --snapshots DIR         headless: where `snapshot NAME` writes NAME.png\n"
         "  --log FILE              write the event log (JSON Lines) to FILE, - for stdout\n"
         "  --screen WxHxBITS       headless: the screen the display check sees (1024x768x32)\n"
         "  --answer yes|no         headless: the answer to the display-check question (yes)\n"
         "  --window WxH            desktop: a window of that client size, not full screen\n"
         "  --display N             desktop: the monitor to play on, 0 the first (default:\n"
         "                          the one under the pointer)\n"
         "  --scale MODE            desktop: none (as made), fit, integer or stretch: the\n"
         "                          presentation's design size scaled to the screen\n"
         "  --codepage N            code page of the presentation's texts (1250)\n"
         "  --no-launch             open no file, folder, link or program (only log them)\n"
         "  --print-to DIR          write printed documents as PDF files into DIR\n"
         "  --handout FILE.pdf      headless: one PDF page per play-sequence entry, each page\n"
         "                          as it looks once settled (no script)\n"
         "  --record FILE.mp4       headless: record the run as a video with its sounds\n"
         "  --fps N                 frames per second of the recording, 1 to 120 (25)\n"
         "  --version               the player's name and version\n"
         "  -h, --help              this text\n"
         "\n"
         "Script commands, one per line (# starts a comment), coordinates in window pixels:\n"
         "  wait MS | move X Y | click X Y [left|right|middle] | key VK | wheel X Y DELTA |\n"
         "  close | snapshot NAME\n";
}

CommandLineResult ParseCommandLine(int argc, const char* const* argv) {
  CommandLineResult result;
  CommandLine& o = result.options;
  bool have_interval = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string_view name) -> std::optional<std::string> {
      if (i + 1 >= argc) {
        result.error = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    if (arg == "-h" || arg == "--help") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "-p" || arg == "--presentation") {
      if (auto v = value(arg)) o.presentation = *v;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--script") {
      if (auto v = value(arg)) o.script = *v;
    } else if (arg == "--snapshots") {
      if (auto v = value(arg)) o.snapshots = *v;
    } else if (arg == "--log") {
      if (auto v = value(arg)) o.log = *v;
    } else if (arg == "--screen") {
      if (auto v = value(arg)) {
        int d[3] = {};
        if (!ParseDimensions(*v, d, 3)) {
          result.error = "--screen takes WxHxBITS, e.g. 1024x768x32";
        } else if (d[2] > 32) {
          result.error = "--screen " + *v + ": a colour depth is 1 to 32 bits";
        } else if (!platform::FitsBitmap(d[0], d[1])) {
          result.error = "--screen " + *v + " is too large";
        } else {
          o.screen = {d[0], d[1], d[2]};
        }
      }
    } else if (arg == "--answer") {
      if (auto v = value(arg)) {
        if (*v == "yes")
          o.answer = platform::MessageAnswer::kYes;
        else if (*v == "no")
          o.answer = platform::MessageAnswer::kNo;
        else
          result.error = "--answer takes yes or no";
      }
    } else if (arg == "--window") {
      if (auto v = value(arg)) {
        int d[2] = {};
        if (!ParseDimensions(*v, d, 2)) {
          result.error = "--window takes WxH, e.g. 1024x768";
        } else if (!platform::FitsBitmap(d[0], d[1])) {
          result.error = "--window " + *v + " is too large";
        } else {
          o.window = platform::Size{d[0], d[1]};
        }
      }
    } else if (arg == "--display") {
      int n = 0;
      if (auto v = value(arg); v && (!ParseInt(*v, n) || n < 0)) {
        result.error = "--display takes a monitor number, 0 for the first";
      } else if (v) {
        o.display = n;
      }
    } else if (arg == "--scale") {
      if (auto v = value(arg)) {
        o.scale = platform::ParseScaleMode(*v);
        if (!o.scale) result.error = "--scale takes none, fit, integer or stretch";
      }
    } else if (arg == "--codepage") {
      if (auto v = value(arg); v && !ParseInt(*v, o.codepage)) {
        result.error = "--codepage takes a number, e.g. 1250";
      }
    } else if (arg == "--no-launch") {
      o.no_launch = true;
    } else if (arg == "--print-to") {
      if (auto v = value(arg)) o.print_to = *v;
    } else if (arg == "--handout") {
      if (auto v = value(arg)) o.handout = *v;
    } else if (arg == "--record") {
      if (auto v = value(arg)) o.record = *v;
    } else if (arg == "--fps") {
      if (auto v = value(arg); v && (!ParseInt(*v, o.fps) || o.fps < 1 || o.fps > kMaxFps)) {
        result.error = "--fps takes frames per second, 1 to " + std::to_string(kMaxFps);
      }
    } else if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
      result.error = "unknown option " + std::string(arg);
    } else if (!o.presentation && !have_interval && NamesPresentation(arg)) {
      o.presentation = std::string(arg);
    } else if (!have_interval) {
      // Whatever it says: a non-number is simply no slide show.
      o.interval = arg;
      have_interval = true;
    } else {
      result.error = "unexpected argument " + std::string(arg);
    }
    if (!result.error.empty()) return result;
  }
  if (o.script && !o.headless) result.error = "--script needs --headless";
  if (o.handout && !o.headless) result.error = "--handout needs --headless";
  if (o.handout && o.script) result.error = "--handout walks the pages itself: no --script";
  if (o.record && !o.headless) result.error = "--record needs --headless";
  if (o.record && o.handout) result.error = "--record and --handout are separate runs";
  if (o.presentation) o.presentation = PresentationFolder(*o.presentation);
  return result;
}

}  // namespace velmorant
