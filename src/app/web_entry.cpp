#include "app/web_entry.hpp"

#include <iostream>
#include <memory>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "app/run_options.hpp"
#include "platform/text/guarded_run.hpp"
#include "platform/text/warning_line.hpp"
#include "platform/web/browser_opener.hpp"
#include "platform/web/browser_page.hpp"
#include "platform/web/web_backend.hpp"
#include "platform/window/headless_backend.hpp"

namespace velmorant {

namespace {

int UsageError(const std::string& message) {
  std::cerr << "velmorant: " << platform::EscapeControls(message) << "\n";
  return 2;
}

int Play(int argc, const char* const* argv, platform::BrowserPage& page) {
  const CommandLineResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.error.empty()) return UsageError(parsed.error);
  const CommandLine& cl = parsed.options;
  if (!cl.presentation) return UsageError("the page names no presentation folder");
  std::string codepage_error;
  const auto codepage = CodePageFor(cl, codepage_error);
  if (!codepage) return UsageError(codepage_error);
  platform::BrowserOpener opener;
  platform::BrowserPrintDialog print_dialog;
  std::unique_ptr<platform::Backend> backend;
  if (cl.headless) {
    platform::HeadlessOptions headless;
    if (std::string problem = HeadlessOptionsFor(cl, headless); !problem.empty()) {
      return UsageError(problem);
    }
    backend = std::make_unique<platform::HeadlessBackend>(std::move(headless));
  } else {
    platform::WebOptions web;
    web.no_launch = cl.no_launch;
    web.presentation = PresentationFolder(*cl.presentation);
    web.code_page = codepage->Number();
    backend = std::make_unique<platform::WebBackend>(std::move(web), page, opener, print_dialog);
  }
  if (std::string problem = OpenLogFor(cl, backend->Log()); !problem.empty()) {
    return UsageError(problem);
  }
  Player player(*backend, *codepage, PlayerOptionsFor(cl, *cl.presentation));
  return player.Run();
}

}  // namespace

int RunWebPlayer(int argc, const char* const* argv) {
  platform::BrowserPage page;
  const int status = platform::GuardedRun("velmorant", [&] { return Play(argc, argv, page); });
  platform::TellPageFinished(status);
  return status;
}

}  // namespace velmorant
