// A headless run's sounds mixed into one track and written as a WAV file, as the browser's parity
// mode gives them with soundtrack=1, for the browser tests to compare with:
//   soundtrack_wav OUT.wav VELMORANT_HEADLESS_ARGS...
#include <iostream>
#include <memory>

#include "app/command_line.hpp"
#include "app/player.hpp"
#include "app/run_options.hpp"
#include "platform/record/soundtrack_backend.hpp"
#include "platform/record/wave_writer.hpp"

int main(int argc, char** argv) {
  using namespace velmorant;
  if (argc < 3) {
    std::cerr << "usage: soundtrack_wav OUT.wav VELMORANT_HEADLESS_ARGS...\n";
    return 2;
  }
  // The player's own parser sees the arguments after OUT.wav, with a program name first.
  const CommandLineResult parsed = ParseCommandLine(argc - 1, argv + 1);
  const CommandLine& cl = parsed.options;
  platform::HeadlessOptions headless;
  std::string problem = parsed.error;
  if (problem.empty() && (!cl.headless || !cl.presentation)) problem = "needs --headless and -p";
  if (problem.empty()) problem = HeadlessOptionsFor(cl, headless);
  std::string codepage_error;
  const auto codepage = CodePageFor(cl, codepage_error);
  if (problem.empty() && !codepage) problem = codepage_error;
  if (!problem.empty()) {
    std::cerr << "soundtrack_wav: " << problem << "\n";
    return 2;
  }
  platform::SoundtrackBackend backend(
      std::make_unique<platform::HeadlessBackend>(std::move(headless)));
  if (problem = OpenLogFor(cl, backend.Log()); !problem.empty()) {
    std::cerr << "soundtrack_wav: " << problem << "\n";
    return 2;
  }
  Player player(backend, *codepage, PlayerOptionsFor(cl, *cl.presentation));
  const int status = player.Run();
  if (!platform::WriteWaveFile(argv[1], backend.Finish(), backend.Format(), &problem)) {
    std::cerr << "soundtrack_wav: " << problem << "\n";
    return 1;
  }
  return status;
}
