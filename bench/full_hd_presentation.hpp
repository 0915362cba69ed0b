// A presentation at 1920 x 1080 for the player benchmarks, written once into a temporary folder
// that goes away with the object.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "definition/records_display.hpp"

namespace velmorant::bench {

inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;
inline constexpr int kPages = 3;
inline constexpr int kMapsPerScreen = 3;
inline constexpr int kRegionsPerMap = 5;
inline constexpr int kMapWidth = 560;
inline constexpr int kMapHeight = 360;

// What the pictures hold and where the maps land, so that a run can be checked against them.
uint32_t BackgroundPixel(int page, int x, int y);
uint32_t MapPixel(int map, int x, int y);
bool MaskShows(int x, int y);
inline int MapLeft(int slot) {
  return kScreenWidth * (4 + 32 * slot) / 100;
}
inline int MapTop() {
  return kScreenHeight * 55 / 100;
}

// A wipe from top to bottom in `steps` steps, `delay_ms` apart.
TPrz TopDownWipe(int32_t steps, int32_t delay_ms);

// Each page has its own screen: a full-screen background and three masked image maps with hover
// pictures and five regions each. Enter and Backspace move between the pages, with
// `page_transition` when one is given.
class FullHdPresentation {
 public:
  explicit FullHdPresentation(std::optional<TPrz> page_transition = std::nullopt);
  ~FullHdPresentation();
  FullHdPresentation(const FullHdPresentation&) = delete;
  FullHdPresentation& operator=(const FullHdPresentation&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace velmorant::bench
