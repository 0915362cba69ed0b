// Recording a run: 800 x 600 frames put through the encoders with their sound, for a page that
// stands still (most frames of a run: a second of it, 25 frames, given at once as the recorder
// does between two clock steps) and for a picture that changes every frame (a transition or a
// film: one frame and its 40 ms). Real time is 1000 ms for the first, 40 ms for the second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/record/video_file.hpp"

namespace {

namespace fs = std::filesystem;
using namespace velmorant;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFps = 25;

platform::Bitmap Page(int frame) {
  platform::Bitmap page(kWidth, kHeight);
  for (int32_t y = 0; y < kHeight; ++y) {
    auto row = page.Row(y);
    for (int32_t x = 0; x < kWidth; ++x) {
      const int dx = x - 6 * frame;
      row[size_t(x)] = ((dx / 50 + y / 50) & 1) ? 0x3070B0 + uint32_t(x & 0x7F) : 0xE0C090;
    }
  }
  return page;
}

void Encode(benchmark::State& state, bool moving) {
  const int frames_at_once = moving ? 1 : kFps;
  const fs::path file = fs::temp_directory_path() / "velmorant-bench-record.mp4";
  std::string error;
  auto video = platform::VideoFile::Create(file, {{kWidth, kHeight}, kFps, {}}, &error);
  if (!video) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::vector<platform::Bitmap> pages;
  for (int f = 0; f < (moving ? 50 : 1); ++f) pages.push_back(Page(f));
  const std::vector<int16_t> sound(size_t(44100 / kFps * 2 * frames_at_once), 1000);
  size_t frame = 0;
  for (auto _ : state) {
    video->AddPicture(pages[frame++ % pages.size()], frames_at_once);
    video->AddSound(sound);
  }
  state.SetItemsProcessed(state.iterations() * frames_at_once);
  video->Finish(&error);
  state.SetLabel(video->PictureCodec());
  fs::remove(file);
}

void BM_RecordStillPage(benchmark::State& state) {
  Encode(state, false);
}
void BM_RecordMovingPicture(benchmark::State& state) {
  Encode(state, true);
}

BENCHMARK(BM_RecordStillPage)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RecordMovingPicture)->Unit(benchmark::kMillisecond)->Iterations(250);

}  // namespace

BENCHMARK_MAIN();
