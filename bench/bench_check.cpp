// velmorant-med check on a large presentation: 1,000 pages on 1,000 screens and 5,000 asset files
// (backgrounds, images with masks, buttons, sounds, captions), every file decoded by the player's
// readers, the page graph walked, the folders listed for unused files.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "check/presentation_check.hpp"
#include "definition/loader.hpp"
#include "repeated.hpp"
#include "support/bmp_builder.hpp"
#include "support/wave_builder.hpp"

namespace {

using namespace velmorant;

constexpr int kPages = 1000;

void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Per page: a background of 320 x 240, an image with its mask, a button map, and every other page
// a sound and a caption: 1,000 + 2,000 + 1,000 + 500 + 500 = 5,000 files.
Definition LargePresentation() {
  Definition d;
  d.TPrzeniki = {{"", 1, 10, 2}};
  d.TKlawisze = {{13, {kActionNext, 0}}};
  for (int i = 0; i < kPages; ++i) {
    const std::string n = std::to_string(i);
    d.TMedia.push_back({i, i % 7 == 0 ? 3000 : 0, 0});
    TEkr screen;
    screen.Background = i;
    screen.Images = {i};
    screen.Maps = {i};
    screen.Keys = {0};
    d.TTla.push_back({"", "tlo" + n + ".bmp"});
    TObr image;
    image.FileName = "obraz" + n + ".bmp";
    image.Masked = 1;
    d.TObrazy.push_back(image);
    TMap map;
    map.FileName = "mapa" + n + ".bmp";
    map.Regions.resize(3);
    map.Regions[0].Action = {kActionPrevious, 0};
    map.Regions[1].Action = {kActionGoTo, (i * 37) % kPages};
    map.Regions[2].Action = {kActionMoveBy, 5};
    d.TMapy.push_back(map);
    if (i % 2 == 0) {
      screen.Sounds = {int32_t(d.TDzwieki.size())};
      d.TDzwieki.push_back(TDzw{0, "", "dzwiek" + n + ".wav"});
      screen.Captions = {int32_t(d.TNapisy.size())};
      TNap caption;
      caption.FileName = "napis" + n + ".txt";
      d.TNapisy.push_back(caption);
    }
    d.TEkrany.push_back(screen);
  }
  return d;
}

class LargeFolder {
 public:
  LargeFolder() : root_(std::filesystem::temp_directory_path() / "velmorant-bench-check") {
    std::filesystem::remove_all(root_);
    const Definition d = LargePresentation();
    Write(root_ / "info.med", WriteDefinition(d, d.edition).bytes);
    const auto background = testing::SolidBmp(320, 240, 0x336699);
    const auto small = testing::SolidBmp(64, 48, 0x996633);
    const std::vector<uint8_t> caption{'D', 'z', 'i', 'e', 0xF1, ' ', 'd', 'o', 'b', 'r', 'y'};
    for (int i = 0; i < kPages; ++i) {
      const std::string n = std::to_string(i);
      Write(root_ / "tla" / ("tlo" + n + ".bmp"), background);
      Write(root_ / "obrazy" / ("obraz" + n + ".bmp"), small);
      Write(root_ / "obrazy" / ("obraz" + n + ".msk"), small);
      Write(root_ / "przyciski" / ("mapa" + n + ".bmp"), small);
      if (i % 2 == 0) {
        std::filesystem::create_directories(root_ / "dzwieki");
        fixtures::WriteSquareWave(root_ / "dzwieki" / ("dzwiek" + n + ".wav"), 22050, 2205);
        Write(root_ / "napisy" / ("napis" + n + ".txt"), caption);
      }
    }
  }
  ~LargeFolder() { std::filesystem::remove_all(root_); }
  LargeFolder(const LargeFolder&) = delete;
  LargeFolder& operator=(const LargeFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
};

void BM_CheckLargePresentation(benchmark::State& state, const LargeFolder& folder,
                               const platform::CodePage& codes) {
  size_t findings = 0;
  for (auto _ : state) {
    findings = check::CheckPresentation(folder.Root(), codes).All().size();
    benchmark::DoNotOptimize(findings);
  }
  // The folder is sound: anything found is a fault of the benchmark's presentation.
  state.counters["findings"] = double(findings);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const auto codes = platform::CodePage::Open(1250);
  if (!codes) return 1;
  const LargeFolder folder;
  bench::Repeated(benchmark::RegisterBenchmark(
                      "BM_CheckLargePresentation",
                      [&](benchmark::State& s) { BM_CheckLargePresentation(s, folder, *codes); }),
                  3)
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
