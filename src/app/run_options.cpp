#include "app/run_options.hpp"

#include <exception>
#include <system_error>

namespace velmorant {

namespace {

// Far beyond any walk of a real presentation: the virtual clock stops there whatever happens.
constexpr int64_t kHandoutClockLimitMs = int64_t{1} << 40;

}  // namespace

PlayerOptions PlayerOptionsFor(const CommandLine& cl, const std::filesystem::path& folder) {
  PlayerOptions options;
  options.presentation = folder;
  // Absolute, so that programs started in folders of their own still find their files.
  std::error_code absolute_error;
  if (auto absolute = std::filesystem::absolute(options.presentation, absolute_error);
      !absolute_error)
    options.presentation = std::move(absolute);
  options.interval = cl.handout ? std::string() : cl.interval;
  options.no_launch = cl.no_launch;
  options.end_on_second_close = !cl.headless;
  options.hold_pages = cl.handout.has_value();
  return options;
}

std::string HeadlessOptionsFor(const CommandLine& cl, platform::HeadlessOptions& options) {
  options.screen = cl.screen;
  options.answer = cl.answer;
  options.snapshots = cl.snapshots;
  options.no_launch = cl.no_launch;
  options.print_to = cl.print_to;
  if (cl.script) {
    platform::ScriptParseResult script = platform::ReadScriptFile(*cl.script);
    if (!script.error.empty()) return "script " + cl.script->string() + ": " + script.error;
    options.script = std::move(script.commands);
  }
  // The handout walk ends the show itself; the wait only keeps the clock going until then.
  if (cl.handout) {
    platform::ScriptCommand wait;
    wait.ms = kHandoutClockLimitMs;
    options.script = {wait};
  }
  return {};
}

std::string OpenLogFor(const CommandLine& cl, platform::EventLog& log) {
  if (!cl.log) return {};
  try {
    log.Open(*cl.log);
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

std::optional<platform::CodePage> CodePageFor(const CommandLine& cl, std::string& error) {
  std::string problem;
  auto codepage = platform::CodePage::Open(cl.codepage, &problem);
  if (!codepage) error = "--codepage " + std::to_string(cl.codepage) + ": " + problem;
  return codepage;
}

}  // namespace velmorant
