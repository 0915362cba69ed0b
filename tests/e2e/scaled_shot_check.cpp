// Checks a screenshot of a scaled screen against the headless snapshot of the same moment:
//   scaled_shot_check SNAPSHOT.png SCREEN.png LEFT TOP RIGHT BOTTOM nearest|sharp TOLERANCE BARS
// Inside the output rectangle every pixel must be the snapshot scaled by the plain reference
// filter, each channel within TOLERANCE; every pixel beside it must be the colour BARS (RRGGBB).
// Exit status 0 when it holds, 1 when not (saying where), 2 for unreadable input.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gfx/png_writer.hpp"
#include "support/reference_scale.hpp"

namespace {

using velmorant::platform::Bitmap;
using velmorant::platform::Pixel;
using velmorant::platform::ScreenFilter;
using velmorant::platform::ScreenMapping;

int Usage() {
  std::fputs(
      "usage: scaled_shot_check SNAPSHOT.png SCREEN.png LEFT TOP RIGHT BOTTOM nearest|sharp "
      "TOLERANCE BARS\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 10) return Usage();
  auto snapshot = velmorant::platform::ReadPng(argv[1]);
  auto screen = velmorant::platform::ReadPng(argv[2]);
  for (const auto* picture : {&snapshot, &screen}) {
    if (!*picture) {
      std::fprintf(stderr, "%s\n", picture->error().c_str());
      return 2;
    }
  }
  const std::string filter = argv[7];
  if (filter != "nearest" && filter != "sharp") return Usage();
  ScreenMapping m;
  m.screen = snapshot->GetSize();
  m.output = {std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6])};
  m.filter = filter == "nearest" ? ScreenFilter::kNearest : ScreenFilter::kSharpBilinear;
  const int tolerance = std::atoi(argv[8]);
  const auto bars = Pixel(std::strtoul(argv[9], nullptr, 16));
  if (m.output.IsEmpty() || screen->Bounds().Intersect(m.output) != m.output) return Usage();

  long wrong = 0;
  int worst = 0;
  std::string first;
  for (int32_t y = 0; y < screen->Height(); ++y) {
    for (int32_t x = 0; x < screen->Width(); ++x) {
      const bool inside = m.output.Contains({x, y});
      const Pixel expected = inside ? velmorant::testing::ReferencePixel(*snapshot, m, x, y) : bars;
      const int d = velmorant::testing::ChannelDistance(screen->At(x, y), expected);
      worst = std::max(worst, d);
      if (d > (inside ? tolerance : 0) && wrong++ == 0) {
        char where[96];
        std::snprintf(where, sizeof where, "(%d, %d) is %06X, not %06X", x, y,
                      unsigned(screen->At(x, y)), unsigned(expected));
        first = where;
      }
    }
  }
  if (wrong > 0) {
    std::printf("%s: %ld pixels differ, the first %s; the largest difference %d\n", argv[2], wrong,
                first.c_str(), worst);
    return 1;
  }
  return 0;
}
