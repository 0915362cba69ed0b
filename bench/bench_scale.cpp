// An 800 x 600 presentation on a 3840 x 2160 screen: the CPU scaler alone (the software
// renderer's share of a frame), and a whole Present of a changed frame through SDL with the
// software renderer under a 4K X server (run-benchmarks.sh starts one).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/window/screen_scaler.hpp"
#include "platform/window/sdl_backend.hpp"
#include "repeated.hpp"

namespace velmorant::bench {
namespace {

constexpr platform::Size kDesign{800, 600};
constexpr platform::Size kScreen{3840, 2160};

// A picture of the design screen with detail everywhere.
platform::Bitmap Detail() {
  platform::Bitmap b(kDesign.width, kDesign.height);
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) b.Set(x, y, platform::Pixel(x * 2654435761u ^ y));
  }
  return b;
}

void BM_ScaleFrameOnCpu(benchmark::State& state, platform::ScaleMode mode) {
  const platform::ScreenMapping mapping = platform::ScreenMapping::Scaled(mode, kDesign, kScreen);
  platform::ScreenScaler scaler(mapping);
  const platform::Bitmap picture = Detail();
  platform::Bitmap target(kScreen.width, kScreen.height);
  for (auto _ : state) {
    scaler.Draw(picture, target, target.Bounds());
    benchmark::DoNotOptimize(target.Data());
  }
}

// One Present of a window whose whole picture changed: composing, scaling into the real window's
// pixels and handing them to the X server.
void BM_PresentScaledSoftware(benchmark::State& state, platform::ScaleMode mode) {
  platform::SdlOptions options;
  options.scale = mode;
  platform::SdlBackend backend(options);
  const platform::ScreenInfo real = backend.Screen();
  if (real.width != kScreen.width || real.height != kScreen.height) {
    state.SkipWithError(("the screen is " + std::to_string(real.width) + " x " +
                         std::to_string(real.height) + ", not 3840 x 2160")
                            .c_str());
    return;
  }
  backend.SetDesignSize(kDesign);
  auto window = backend.CreateWindow("bench");
  window->SetBounds({0, 0, kDesign.width, kDesign.height});
  window->Show();
  const platform::Bitmap detail = Detail();
  uint32_t shade = 0;
  for (auto _ : state) {
    state.PauseTiming();  // the drawing is not the present's
    window->Surface() = detail;
    window->Surface().Set(0, 0, shade++ & 0xFF);
    state.ResumeTiming();
    window->Present();
  }
}

}  // namespace
}  // namespace velmorant::bench

int main(int argc, char** argv) {
  using namespace velmorant;
  using platform::ScaleMode;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const struct {
    const char* name;
    ScaleMode mode;
  } modes[] = {
      {"fit", ScaleMode::kFit}, {"integer", ScaleMode::kInteger}, {"stretch", ScaleMode::kStretch}};
  for (const auto& m : modes) {
    bench::Repeated(benchmark::RegisterBenchmark(
        (std::string("BM_ScaleFrameOnCpu/") + m.name).c_str(),
        [mode = m.mode](benchmark::State& s) { bench::BM_ScaleFrameOnCpu(s, mode); }));
  }
  if (std::getenv("DISPLAY")) {
    // The CPU path is the one measured: the GPU's is not the player's work.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    for (const auto& m : modes) {
      bench::Repeated(
          benchmark::RegisterBenchmark(
              (std::string("BM_PresentScaledSoftware/") + m.name).c_str(),
              [mode = m.mode](benchmark::State& s) { bench::BM_PresentScaledSoftware(s, mode); }),
          3);
    }
  } else {
    std::cerr << "bench_scale: no display; the Present runs want a 3840x2160 X server\n";
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
