#include "app/web_entry.hpp"

#include <iostream>
#include <memory>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "app/run_options.hpp"
#include "platform/record/soundtrack_backend.hpp"
#include "platform/record/wave_writer.hpp"
#include "platform/text/guarded_run.hpp"
#include "platform/text/warning_line.hpp"
#include "platform/web/browser_audio.hpp"
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

int Play(int argc, const char* const* argv, platform::BrowserPage& page,
         platform::BrowserAudio& audio) {
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
  platform::SoundtrackBackend* soundtrack = nullptr;
  const std::string soundtrack_file = cl.headless ? platform::SoundtrackFileOfPage() : "";
  if (cl.headless) {
    platform::HeadlessOptions headless;
    if (std::string problem = HeadlessOptionsFor(cl, headless); !problem.empty()) {
      return UsageError(problem);
    }
    auto run = std::make_unique<platform::HeadlessBackend>(std::move(headless));
    if (soundtrack_file.empty()) {
      backend = std::move(run);
    } else {
      auto recorder = std::make_unique<platform::SoundtrackBackend>(std::move(run));
      soundtrack = recorder.get();
      backend = std::move(recorder);
    }
  } else {
    platform::WebOptions web;
    web.no_launch = cl.no_launch;
    web.presentation = PresentationFolder(*cl.presentation);
    web.code_page = codepage->Number();
    backend =
        std::make_unique<platform::WebBackend>(std::move(web), page, audio, opener, print_dialog);
  }
  if (std::string problem = OpenLogFor(cl, backend->Log()); !problem.empty()) {
    return UsageError(problem);
  }
  Player player(*backend, *codepage, PlayerOptionsFor(cl, *cl.presentation));
  const int status = player.Run();
  std::string problem;
  if (soundtrack && !platform::WriteWaveFile(soundtrack_file, soundtrack->Finish(),
                                             soundtrack->Format(), &problem)) {
    std::cerr << platform::WarningLine(soundtrack_file, problem);
  }
  return status;
}

}  // namespace

int RunWebPlayer(int argc, const char* const* argv) {
  platform::BrowserPage page;
  platform::BrowserAudio audio;
  const int status =
      platform::GuardedRun("velmorant", [&] { return Play(argc, argv, page, audio); });
  platform::TellPageFinished(status);
  return status;
}

}  // namespace velmorant
