// Player costs at 1920 x 1080 on the headless backend: one page change, one animation frame,
// start-up to the first page, and the peak memory of a run. The virtual clock makes transition
// sleeps free, so the figures are the player's own work.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <iostream>
#include <optional>
#include <vector>

#include "app/player.hpp"
#include "checked_run.hpp"
#include "full_hd_presentation.hpp"
#include "idle_driven_backend.hpp"
#include "repeated.hpp"

namespace velmorant::bench {
namespace {

constexpr uint16_t kEnter = 13;
constexpr uint16_t kBackspace = 8;
constexpr platform::ScreenInfo kFullHdScreen{kScreenWidth, kScreenHeight, 32};
constexpr int32_t kWipeSteps = 10;

TPrz Wipe() {
  return TopDownWipe(kWipeSteps, 30);
}

double PeakRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

PlayerOptions OptionsFor(const FullHdPresentation& show) {
  PlayerOptions options;
  options.presentation = show.Folder();
  return options;
}

// Enter from page 0 goes to page 1, Backspace comes back: every press is one page change.
uint16_t AlternatingKey(int64_t press) {
  return press % 2 == 0 ? kEnter : kBackspace;
}

void RunPlayer(platform::Backend& backend, const platform::CodePage& codepage,
               const FullHdPresentation& show, benchmark::State& state) {
  Player player(backend, codepage, OptionsFor(show));
  // Run ends when the key callback stops pressing; it must not end by itself.
  if (player.Run() != 0) state.SkipWithError("the player could not run the presentation");
}

// From the key press to the new page active and the next one preloaded: the key handler, the close
// query (StopPage, HidePage, ShowPage, ComposePage, StartPage, ActivatePage, PreloadNextPage) and
// any message it leaves behind. Each iteration is one change; the start-up is outside the timed
// loop.
void BM_PageChange(benchmark::State& state, const FullHdPresentation& show,
                   const platform::CodePage& codepage) {
  int64_t presses = 0;
  KeyDrivenBackend backend(kFullHdScreen, [&]() -> std::optional<uint16_t> {
    if (!state.KeepRunning()) return std::nullopt;
    return AlternatingKey(presses++);
  });
  RunPlayer(backend, codepage, show, state);
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}

// The same change with a ten-step wipe as the page transition: the steps' drawing on top of the
// change above (the sleeps between them cost nothing on the virtual clock).
void BM_PageChangeWithWipe(benchmark::State& state, const FullHdPresentation& show,
                           const platform::CodePage& codepage) {
  BM_PageChange(state, show, codepage);
  state.counters["steps"] = kWipeSteps;
}

// One frame change of a running animation of ten masked 320 x 240 frames, on a page that also
// holds a full-screen background, three maps and five masked images: the frame timer's tick and the
// frame's masked copy onto the window and into the back buffer. Each iteration lets virtual time
// reach the next frame; the run then checks that the frames came in turn. A frame's picture is read
// when it is first drawn: the slowest change of the first round (processor time) is reported
// beside.
void BM_AnimationFrame(benchmark::State& state, const FullHdPresentation& show,
                       const platform::CodePage& codepage) {
  int64_t ticks = 0;
  // Processor time: on a machine shared with other work, wall time between two ticks is mostly
  // waiting for a turn.
  std::clock_t last = 0;
  double first_round_ms = 0;
  TimerDrivenBackend backend(kFullHdScreen, [&] {
    const std::clock_t now = std::clock();
    if (ticks > 0 && ticks <= kAnimationFrames) {
      first_round_ms = std::max(first_round_ms, 1000.0 * double(now - last) / CLOCKS_PER_SEC);
    }
    last = now;
    if (!state.KeepRunning()) return false;
    ++ticks;
    return true;
  });
  Player player(backend, codepage, OptionsFor(show));
  if (player.Run() != 0) {
    state.SkipWithError("the player could not run the presentation");
    return;
  }
  // The first tick drew frame 0; each one after it the next.
  const int frame = int((ticks - 1) % kAnimationFrames);
  const int cx = kImageWidth / 2;
  const int cy = kImageHeight / 2;
  const uint32_t shown = player.window->Surface().Get(AnimationLeft() + cx, AnimationTop() + cy);
  if (ticks < 1 || shown != AnimationFramePixel(frame, cx, cy)) {
    state.SkipWithError("the animation did not show its frames in turn");
  }
  state.counters["frames"] = double(ticks);
  state.counters["first_round_max_ms"] = first_round_ms;
}

// From constructing the player to its first idle moment: definition loaded, display checked, page
// 0 shown, composed, painted, started and active.
void BM_StartUp(benchmark::State& state, const FullHdPresentation& show,
                const platform::CodePage& codepage) {
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    Clock::time_point idle{};
    KeyDrivenBackend backend(kFullHdScreen, [&]() -> std::optional<uint16_t> {
      idle = Clock::now();
      return std::nullopt;
    });
    const Clock::time_point start = Clock::now();
    RunPlayer(backend, codepage, show, state);
    if (idle < start) {
      state.SkipWithError("the player never became idle");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(idle - start).count());
  }
}

// The memory of a 1080p run: peak resident size after start-up and a few page changes. It runs
// first, so no other benchmark's peak hides in the figure; its run also checks that the
// presentation shows and changes pages as the other figures assume.
void BM_Memory1080p(benchmark::State& state, const FullHdPresentation& show,
                    const platform::CodePage& codepage) {
  constexpr int kChanges = 8;
  const double before = PeakRssMiB();
  for (auto _ : state) {
    if (const std::string error = CheckedRun(show, codepage, kChanges); !error.empty()) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  state.counters["peak_rss_MiB"] = PeakRssMiB();
  state.counters["peak_rss_before_run_MiB"] = before;
}

}  // namespace
}  // namespace velmorant::bench

int main(int argc, char** argv) {
  using namespace velmorant;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::optional<platform::CodePage> codepage = platform::CodePage::Open(1250);
  if (!codepage) {
    std::cerr << "bench_player: code page 1250 is not available\n";
    return 1;
  }
  const bench::FullHdPresentation show;
  const bench::FullHdPresentation wiped(bench::Wipe());
  const bench::FullHdPresentation busy(std::nullopt, bench::Elements::kImagesAndAnimation);
  const platform::CodePage& cp = *codepage;
  benchmark::RegisterBenchmark("BM_Memory1080p",
                               [&](benchmark::State& s) { bench::BM_Memory1080p(s, show, cp); })
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  const auto page_change = [&](benchmark::State& s) { bench::BM_PageChange(s, show, cp); };
  const auto with_wipe = [&](benchmark::State& s) { bench::BM_PageChangeWithWipe(s, wiped, cp); };
  const auto start_up = [&](benchmark::State& s) { bench::BM_StartUp(s, show, cp); };
  bench::Repeated(benchmark::RegisterBenchmark("BM_PageChange", page_change));
  bench::Repeated(benchmark::RegisterBenchmark("BM_PageChangeWithWipe", with_wipe));
  const auto busy_change = [&](benchmark::State& s) { bench::BM_PageChange(s, busy, cp); };
  const auto frame = [&](benchmark::State& s) { bench::BM_AnimationFrame(s, busy, cp); };
  bench::Repeated(benchmark::RegisterBenchmark("BM_PageChangeWithImagesAndAnimation", busy_change));
  bench::Repeated(benchmark::RegisterBenchmark("BM_AnimationFrame", frame));
  bench::Repeated(benchmark::RegisterBenchmark("BM_StartUp", start_up))->UseManualTime();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
