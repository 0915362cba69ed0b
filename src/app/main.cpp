#include <fstream>
#include <iostream>
#include <sstream>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "platform/window/headless_backend.hpp"
#include "platform/window/headless_script.hpp"

namespace {

// The presentation folder defaults to the folder of the player's own program file.
std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path();
}

int Fail(const std::string& message) {
  std::cerr << "velmorant: " << message << "\n(see velmorant --help)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmorant;
  const CommandLineResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.error.empty()) return Fail(parsed.error);
  const CommandLine& cl = parsed.options;
  if (cl.help) {
    std::cout << UsageText();
    return 0;
  }
  if (!cl.headless) {
    return Fail(
        "this build shows presentations only with --headless (the desktop window is not"
        " built yet)");
  }

  platform::HeadlessOptions headless;
  headless.screen = cl.screen;
  headless.answer = cl.answer;
  headless.snapshots = cl.snapshots;
  headless.print_to = cl.print_to;
  if (cl.script) {
    std::ifstream in(*cl.script);
    if (!in) return Fail("cannot read the script " + cl.script->string());
    std::stringstream text;
    text << in.rdbuf();
    platform::ScriptParseResult script = platform::ParseScript(text.str());
    if (!script.error.empty()) return Fail(cl.script->string() + ": " + script.error);
    headless.script = std::move(script.commands);
  }
  platform::HeadlessBackend backend(std::move(headless));
  if (cl.log) {
    try {
      backend.Log().Open(*cl.log);
    } catch (const std::exception& e) {
      return Fail(e.what());
    }
  }

  std::string codepage_error;
  auto codepage = platform::CodePage::Open(cl.codepage, &codepage_error);
  if (!codepage) return Fail("--codepage " + std::to_string(cl.codepage) + ": " + codepage_error);

  PlayerOptions options;
  options.presentation = cl.presentation ? *cl.presentation : ExecutableFolder(argv[0]);
  options.interval = cl.interval;
  options.no_launch = cl.no_launch;
  try {
    Player player(backend, *codepage, std::move(options));
    return player.Run();
  } catch (const std::exception& e) {
    std::cerr << "velmorant: " << e.what() << '\n';
    return 1;
  }
}
