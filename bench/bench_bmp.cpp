// BMP decoding of 1920 x 1080 pictures made in memory, against a plain copy of the decoded bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/png_writer.hpp"
#include "support/bmp_builder.hpp"

namespace {

using velmorant::platform::DecodeBmp;
using velmorant::testing::BmpSpec;
using velmorant::testing::BuildBmp;
using velmorant::testing::PackRows;

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

std::vector<uint8_t> Rgb24File() {
  BmpSpec s;
  s.width = kWidth;
  s.height = kHeight;
  s.bits = 24;
  s.pixels = PackRows(kWidth, kHeight, 24, [](int32_t x, int32_t y) {
    return uint32_t(x * 0x010203 + y * 0x030201) & 0xFFFFFF;
  });
  return BuildBmp(s);
}

// A picture of mixed runs as paint programs write them: encoded runs of 1 to 48 pixels and an
// absolute run of 8 distinct pixels now and then.
std::vector<uint8_t> Rle8File() {
  std::vector<uint8_t> stream;
  for (int32_t row = 0; row < kHeight; ++row) {
    int32_t x = 0;
    uint32_t n = uint32_t(row) * 2654435761u;
    while (x < kWidth) {
      n = n * 1664525u + 1013904223u;
      if (n % 5 == 0 && kWidth - x >= 8) {
        stream.insert(stream.end(), {0, 8});
        for (int k = 0; k < 8; ++k) stream.push_back(uint8_t(n >> k));
        x += 8;
        continue;
      }
      const int32_t run = std::min<int32_t>(int32_t(1 + (n >> 8) % 48), kWidth - x);
      stream.insert(stream.end(), {uint8_t(run), uint8_t(n >> 16)});
      x += run;
    }
    stream.insert(stream.end(), {0, 0});
  }
  stream.insert(stream.end(), {0, 1});
  BmpSpec s;
  s.width = kWidth;
  s.height = kHeight;
  s.bits = 8;
  s.compression = 1;
  for (uint32_t i = 0; i < 256; ++i) s.palette.push_back(i * 0x010101);
  s.colours_used = 256;
  s.pixels = std::move(stream);
  return BuildBmp(s);
}

void Decode(benchmark::State& state, const std::vector<uint8_t>& file) {
  for (auto _ : state) {
    auto bitmap = DecodeBmp(file);
    benchmark::DoNotOptimize(bitmap);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_DecodeRgb24_1080p(benchmark::State& state) {
  Decode(state, Rgb24File());
}
void BM_DecodeRle8_1080p(benchmark::State& state) {
  Decode(state, Rle8File());
}

// The floor: copying the decoded picture's bytes once.
void BM_MemcpyDecodedBytes_1080p(benchmark::State& state) {
  std::vector<uint32_t> from(size_t(kWidth) * kHeight, 0x123456), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

// Snapshots of a 1080p window are written as PNG.
void BM_EncodePng_1080p(benchmark::State& state) {
  const auto bitmap = DecodeBmp(Rgb24File());
  for (auto _ : state) {
    auto png = velmorant::platform::EncodePng(*bitmap);
    benchmark::DoNotOptimize(png);
  }
}

BENCHMARK(BM_MemcpyDecodedBytes_1080p);
BENCHMARK(BM_DecodeRgb24_1080p);
BENCHMARK(BM_DecodeRle8_1080p);
BENCHMARK(BM_EncodePng_1080p)->Unit(benchmark::kMillisecond);

}  // namespace
