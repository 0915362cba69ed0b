// Compares two PNG snapshots by their decoded pixels, not their bytes.
//   compare_snapshots EXPECTED ACTUAL
// Exit status 0 when they show the same picture, 1 when not (saying how), 2 when one is unreadable.
#include <cstdio>

#include "platform/gfx/png_writer.hpp"
#include "snapshot_difference.hpp"

int main(int argc, char** argv) {
  using velmorant::platform::ReadPng;
  if (argc != 3) {
    std::fputs("usage: compare_snapshots EXPECTED ACTUAL\n", stderr);
    return 2;
  }
  auto expected = ReadPng(argv[1]);
  auto actual = ReadPng(argv[2]);
  for (const auto* picture : {&expected, &actual}) {
    if (!*picture) {
      std::fprintf(stderr, "%s\n", picture->error().c_str());
      return 2;
    }
  }
  if (auto difference = velmorant::golden::SnapshotDifference(*expected, *actual)) {
    std::printf("%s: %s\n", argv[2], difference->c_str());
    return 1;
  }
  return 0;
}
