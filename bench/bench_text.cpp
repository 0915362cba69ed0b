// Text layer costs: laying out and drawing a caption, rendering a hint panel, opening a font.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/hint_panel.hpp"

namespace velmorant::platform {
namespace {

std::string CaptionText() {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "Zażółć gęślą jaźń, the quick brown fox jumps over it. ";
  return text;
}

FontRequest Arial(int32_t points) {
  FontRequest wanted;
  wanted.name = "Arial";
  wanted.size_points = points;
  return wanted;
}

void BM_CaptionMeasure(benchmark::State& state) {
  const FontEngine engine;
  const Font font = engine.CreateFont(Arial(12));
  const std::string text = CaptionText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalcTextRect(font, text, {0, 0, 400, 0}, kDtWordBreak));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_CaptionMeasure);

void BM_CaptionDraw(benchmark::State& state) {
  const FontEngine engine;
  const Font font = engine.CreateFont(Arial(12));
  const std::string text = CaptionText();
  const Rect box = CalcTextRect(font, text, {0, 0, 400, 0}, kDtWordBreak);
  Bitmap mask(400, box.bottom, kWhite);
  for (auto _ : state) {
    Rect r = box;
    DrawText(mask, font, text, r, kDtWordBreak | kDtCenter, kBlack);
    benchmark::DoNotOptimize(mask.Data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_CaptionDraw);

void BM_HintPanel(benchmark::State& state) {
  const FontEngine engine;
  const Font font = engine.CreateFont(HintFontRequest());
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderHintPanel(font, "Przejdź do następnej strony", 150));
  }
}
BENCHMARK(BM_HintPanel);

void BM_CreateFont(benchmark::State& state) {
  const FontEngine engine;
  for (auto _ : state) benchmark::DoNotOptimize(engine.CreateFont(Arial(12)));
}
BENCHMARK(BM_CreateFont);

void BM_StartEngine(benchmark::State& state) {
  for (auto _ : state) {
    FontEngine engine;
    benchmark::DoNotOptimize(engine.HasFonts());
  }
}
BENCHMARK(BM_StartEngine);

}  // namespace
}  // namespace velmorant::platform
