// Desktop costs at 1920 x 1080 on a real X server (Xvfb in run-benchmarks.sh): putting the
// window's picture on the screen, and page changes with and without a ten-step wipe whose steps
// sleep 10 ms on the real clock. A step's own cost is the difference of the two divided by ten.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/player.hpp"
#include "full_hd_presentation.hpp"
#include "idle_driven_backend.hpp"
#include "platform/window/sdl_backend.hpp"
#include "repeated.hpp"

namespace velmorant::bench {
namespace {

constexpr int32_t kWipeSteps = 10;
constexpr int32_t kWipeDelayMs = 10;

TPrz TenMillisecondWipe() {
  return TopDownWipe(kWipeSteps, kWipeDelayMs);
}

// One Present of a full-screen window whose picture changed: the copy into the real window's
// pixels (or its texture) and the frame handed to the display server, without waiting for the
// screen's refresh.
void BM_Present1080p(benchmark::State& state) {
  platform::SdlBackend backend({});
  const platform::ScreenInfo screen = backend.Screen();
  if (screen.width != kScreenWidth || screen.height != kScreenHeight) {
    state.SkipWithError(("the screen is " + std::to_string(screen.width) + " x " +
                         std::to_string(screen.height) + ", not 1920 x 1080")
                            .c_str());
    return;
  }
  auto window = backend.CreateWindow("bench");
  window->SetBounds({0, 0, screen.width, screen.height});
  window->Show();
  uint32_t shade = 0;
  for (auto _ : state) {
    state.PauseTiming();  // the drawing is not the present's
    window->Surface().Fill(platform::Pixel(shade++ & 0xFF));
    state.ResumeTiming();
    window->Present();
  }
}

// A page change on the desktop, Enter and Backspace in turn; see bench_player for what it holds.
void BM_DesktopPageChange(benchmark::State& state, const FullHdPresentation& show,
                          const platform::CodePage& codepage) {
  int64_t presses = 0;
  KeyDrivenBackend backend(std::make_unique<platform::SdlBackend>(platform::SdlOptions{}),
                           [&]() -> std::optional<uint16_t> {
                             if (!state.KeepRunning()) return std::nullopt;
                             return presses++ % 2 == 0 ? uint16_t{13} : uint16_t{8};
                           });
  PlayerOptions options;
  options.presentation = show.Folder();
  Player player(backend, codepage, options);
  if (player.Run() != 0) state.SkipWithError("the player could not run the presentation");
}

}  // namespace
}  // namespace velmorant::bench

int main(int argc, char** argv) {
  using namespace velmorant;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!std::getenv("DISPLAY")) {
    std::cerr << "bench_desktop: no display; run it under a 1920x1080 X server\n";
    return 0;
  }
  const std::optional<platform::CodePage> codepage = platform::CodePage::Open(1250);
  if (!codepage) return 1;
  const bench::FullHdPresentation still;
  const bench::FullHdPresentation wiped(bench::TenMillisecondWipe());
  const platform::CodePage& cp = *codepage;
  bench::Repeated(benchmark::RegisterBenchmark("BM_Present1080p", bench::BM_Present1080p), 3);
  bench::Repeated(benchmark::RegisterBenchmark(
                      "BM_DesktopPageChange",
                      [&](benchmark::State& s) { bench::BM_DesktopPageChange(s, still, cp); }),
                  3);
  bench::Repeated(benchmark::RegisterBenchmark(
                      "BM_DesktopPageChangeWithWipe10ms",
                      [&](benchmark::State& s) { bench::BM_DesktopPageChange(s, wiped, cp); }),
                  3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
