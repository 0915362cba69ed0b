#include "app/entry.hpp"

#include <iostream>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "platform/text/guarded_run.hpp"
#include "platform/text/warning_line.hpp"
#include "platform/window/headless_backend.hpp"
#include "platform/window/headless_script.hpp"

namespace velmorant {

namespace {

// The presentation folder defaults to the folder of the player's own program file.
std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path();
}

int UsageError(const std::string& message) {
  std::cerr << "velmorant: " << platform::EscapeControls(message) << "\n(see velmorant --help)\n";
  return 2;
}

int Play(int argc, const char* const* argv) {
  const CommandLineResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.error.empty()) return UsageError(parsed.error);
  const CommandLine& cl = parsed.options;
  if (cl.help) {
    std::cout << UsageText();
    return 0;
  }
  if (!cl.headless) {
    return UsageError(
        "this build shows presentations only with --headless (the desktop window is not"
        " built yet)");
  }

  platform::HeadlessOptions headless;
  headless.screen = cl.screen;
  headless.answer = cl.answer;
  headless.snapshots = cl.snapshots;
  headless.print_to = cl.print_to;
  if (cl.script) {
    platform::ScriptParseResult script = platform::ReadScriptFile(*cl.script);
    if (!script.error.empty()) {
      return UsageError("script " + cl.script->string() + ": " + script.error);
    }
    headless.script = std::move(script.commands);
  }
  platform::HeadlessBackend backend(std::move(headless));
  if (cl.log) {
    try {
      backend.Log().Open(*cl.log);
    } catch (const std::exception& e) {
      return UsageError(e.what());
    }
  }

  std::string codepage_error;
  auto codepage = platform::CodePage::Open(cl.codepage, &codepage_error);
  if (!codepage) {
    return UsageError("--codepage " + std::to_string(cl.codepage) + ": " + codepage_error);
  }

  PlayerOptions options;
  options.presentation = cl.presentation ? *cl.presentation : ExecutableFolder(argv[0]);
  options.interval = cl.interval;
  options.no_launch = cl.no_launch;
  Player player(backend, *codepage, std::move(options));
  return player.Run();
}

}  // namespace

int RunPlayer(int argc, const char* const* argv) {
  return platform::GuardedRun("velmorant", [&] { return Play(argc, argv); });
}

}  // namespace velmorant
