// Rich texts: reading and laying out a 200 KB RTF document, and scrolling its view by one line at
// 1920 x 1080.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/text/font_engine.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rich_text_view.hpp"
#include "platform/text/rtf_reader.hpp"

namespace velmorant::platform {
namespace {

// A document as a word processor writes one: font and colour tables, styled runs, Polish letters
// as \'hh and \uN, links, tab-separated table rows; about 200 KB.
std::string Document() {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}"
      "{\\f1\\froman\\fcharset238 Times New Roman CE;}{\\f2\\fmodern Courier New;}}"
      "{\\colortbl;\\red0\\green0\\blue192;\\red192\\green0\\blue0;}"
      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Benchmark}}\n";
  for (int i = 0; rtf.size() < 200 * 1024; ++i) {
    rtf += "\\pard\\sb60\\sa60\\f1\\fs22 Akapit " + std::to_string(i) +
           ": Za\\'bf\\'f3\\'b3\\'e6 g\\'ea\\'9cl\\'b9 ja\\'9f\\'f1, {\\b pogrubione} i "
           "{\\i pochylone} s\\u322?owa, {\\cf1\\ul odno\\'9cnik " +
           std::to_string(i) +
           "} oraz d\\u322?u\\u380?sze zdanie, kt\\'f3re zawija si\\'ea "
           "w kilku wierszach tekstu na ekranie.\\par\n";
    if (i % 10 == 0) {
      rtf += "\\trowd\\cellx2000\\cellx4000 \\f2\\fs20 kom\\'f3rka\\cell druga\\cell\\row\n";
    }
  }
  return rtf + "}";
}

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

void BM_RtfRead(benchmark::State& state) {
  const std::string rtf = Document();
  for (auto _ : state) benchmark::DoNotOptimize(ReadRtf(Bytes(rtf)));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
}
BENCHMARK(BM_RtfRead)->Unit(benchmark::kMillisecond);

// What a text's Show costs: the file read into a document, shown in a full-screen view (fonts
// opened, lines laid out) and drawn once.
void BM_RtfReadLayOutAndDraw(benchmark::State& state) {
  const std::string rtf = Document();
  const FontEngine engine;
  for (auto _ : state) {
    RichTextView view(engine);
    view.SetBounds({0, 0, 1920, 1080});
    view.SetDocument(*ReadRtf(Bytes(rtf)));
    benchmark::DoNotOptimize(view.Picture().Data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
}
BENCHMARK(BM_RtfReadLayOutAndDraw)->Unit(benchmark::kMillisecond);

void BM_ScrollOneLine1080p(benchmark::State& state) {
  const std::string rtf = Document();
  const FontEngine engine;
  RichTextView view(engine);
  view.SetBounds({0, 0, 1920, 1080});
  view.SetDocument(*ReadRtf(Bytes(rtf)));
  benchmark::DoNotOptimize(view.Picture().Data());
  int direction = 1;
  for (auto _ : state) {
    const int32_t before = view.ScrollPosition();
    view.ScrollLines(direction);
    if (view.ScrollPosition() == before) {
      direction = -direction;
      view.ScrollLines(direction);
    }
    benchmark::DoNotOptimize(view.Picture().Data());
  }
}
BENCHMARK(BM_ScrollOneLine1080p)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmorant::platform

BENCHMARK_MAIN();
