// Raster operations and transition steps at presentation sizes, with memcpy and pixman's
// nearest-neighbour scaling as the yardsticks the targets are stated against.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <time.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "display/drawing_context.hpp"
#include "display/render_helpers.hpp"
#include "display/transitions.hpp"
#include "platform/gfx/canvas.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Canvas;
using platform::Pixel;

constexpr int32_t kW = 1920;
constexpr int32_t kH = 1080;

Bitmap Pattern(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel((x * 7 + y * 13) & 0xFFFFFF));
  }
  return b;
}

void BM_Memcpy1080p(benchmark::State& state) {
  const Bitmap source = Pattern(kW, kH);
  Bitmap target(kW, kH);
  for (auto _ : state) {
    std::memcpy(target.Data(), source.Data(), size_t(kW) * kH * sizeof(Pixel));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_Memcpy1080p);

void BM_SrcCopy1080p(benchmark::State& state) {
  const Bitmap source = Pattern(kW, kH);
  Bitmap target(kW, kH);
  Canvas canvas(target);
  for (auto _ : state) {
    canvas.Draw(0, 0, source);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_SrcCopy1080p);

void BM_MaskedCopy1080p(benchmark::State& state) {
  Bitmap picture = Pattern(kW, kH);
  Bitmap mask(kW, kH, platform::kWhite);
  Canvas(mask).FillRect({200, 100, 1700, 900});
  PrepareMaskedImage(picture, &mask);
  Bitmap target(kW, kH, 0x808080);
  Canvas canvas(target);
  for (auto _ : state) {
    CopyMasked(target.Bounds(), canvas, picture, &mask);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MaskedCopy1080p);

void BM_Stretch800x600To1080p(benchmark::State& state) {
  const Bitmap source = Pattern(800, 600);
  Bitmap target(kW, kH);
  Canvas canvas(target);
  for (auto _ : state) {
    canvas.StretchDraw(target.Bounds(), source);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Stretch800x600To1080p);

void BM_PixmanNearest800x600To1080p(benchmark::State& state) {
  Bitmap source = Pattern(800, 600);
  Bitmap target(kW, kH);
  pixman_image_t* src = pixman_image_create_bits(
      PIXMAN_x8r8g8b8, 800, 600, reinterpret_cast<uint32_t*>(source.Data()), 800 * 4);
  pixman_image_t* dst = pixman_image_create_bits(
      PIXMAN_x8r8g8b8, kW, kH, reinterpret_cast<uint32_t*>(target.Data()), kW * 4);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(800.0 / kW),
                              pixman_double_to_fixed(600.0 / kH));
  pixman_image_set_transform(src, &scale);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(BM_PixmanNearest800x600To1080p);

// A 1080p display whose pauses only mark the time, so that each step can be timed alone
// (in thread CPU time).
class BenchDisplay : public DrawingContext {
 public:
  explicit BenchDisplay(int kind)
      : window_(Pattern(kW, kH)), back_(kW, kH), window_canvas_(window_), back_canvas_(back_) {
    TPrz t;
    t.Kind = uint8_t(kind);
    t.Steps = kind == 5 ? 8 : 10;
    transitions_ = {t};
  }
  Canvas& CurrentCanvas() override { return window_canvas_; }
  Canvas& BackBufferCanvas() override { return back_canvas_; }
  bool IsBackBufferCurrent() const override { return false; }
  platform::Size ClientSize() const override { return window_.GetSize(); }
  void Sleep(int) override {
    const auto now = ThreadCpuNow();
    if (marked_) {
      step_time_ += now - last_;
      ++steps_;
    }
    last_ = now;
    marked_ = true;
  }
  bool AdmitAnimation(int32_t, int32_t) override { return true; }
  const std::vector<TPrz>& Transitions() const override { return transitions_; }
  const std::vector<TRam>& FrameStyles() const override { return frames_; }
  SharedPicture LoadPattern(const std::string&) override { return nullptr; }
  platform::MemoryBudget& Memory() override { return memory_; }
  uint32_t Random() override { return random_ = random_ * 1664525u + 1013904223u; }

  // Mean time of the steps after the first (the first also carries Execute's set-up).
  double MeanStepSeconds() const {
    return std::chrono::duration<double>(step_time_).count() / double(steps_ ? steps_ : 1);
  }
  void ResetMarks() { marked_ = false; }

 private:
  platform::MemoryBudget memory_;
  Bitmap window_;
  Bitmap back_;
  Canvas window_canvas_;
  Canvas back_canvas_;
  std::vector<TPrz> transitions_;
  std::vector<TRam> frames_;
  uint32_t random_ = 1;
  bool marked_ = false;
  // CPU time of this thread: the machine is shared, and waiting for a core is not drawing time.
  static std::chrono::nanoseconds ThreadCpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
  }

  std::chrono::nanoseconds last_{};
  std::chrono::nanoseconds step_time_{};
  int64_t steps_ = 0;
};

void BM_TransitionStep1080p(benchmark::State& state) {
  const auto kind = int(state.range(0));
  BenchDisplay display(kind);
  const Bitmap picture = Pattern(kW, kH);
  TRender render(display, 0, {0, 0, kW, kH}, std::nullopt, &picture, nullptr);
  for (auto _ : state) {
    display.ResetMarks();
    render.Execute();
  }
  state.counters["step_ms"] = display.MeanStepSeconds() * 1000.0;
}
BENCHMARK(BM_TransitionStep1080p)->DenseRange(1, 12)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmorant

BENCHMARK_MAIN();
