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
inline constexpr int kImagesPerScreen = 5;
inline constexpr int kImageWidth = 320;
inline constexpr int kImageHeight = 240;
inline constexpr int kAnimationFrames = 10;
inline constexpr int kAnimationFrameMs = 40;

// What the pictures hold and where the maps land, so that a run can be checked against them.
uint32_t BackgroundPixel(int page, int x, int y);
uint32_t MapPixel(int map, int x, int y);
bool MaskShows(int x, int y);
// The same rounded rectangle in a picture of w x h.
bool RoundedMaskShows(int x, int y, int w, int h);
uint32_t AnimationFramePixel(int frame, int x, int y);
inline int AnimationLeft() {
  return kScreenWidth * 40 / 100;
}
inline int AnimationTop() {
  return kScreenHeight * 28 / 100;
}
inline int MapLeft(int slot) {
  return kScreenWidth * (4 + 32 * slot) / 100;
}
inline int MapTop() {
  return kScreenHeight * 55 / 100;
}

// A wipe from top to bottom in `steps` steps, `delay_ms` apart.
TPrz TopDownWipe(int32_t steps, int32_t delay_ms);

// What the screens hold besides their background and maps.
enum class Elements {
  kMapsOnly,
  // Five masked images and a looping animation of ten masked frames.
  kImagesAndAnimation,
};

// Each page has its own screen: a full-screen background and three masked image maps with hover
// pictures and five regions each, and `elements`. Enter and Backspace move between the pages,
// with `page_transition` when one is given.
class FullHdPresentation {
 public:
  explicit FullHdPresentation(std::optional<TPrz> page_transition = std::nullopt,
                              Elements elements = Elements::kMapsOnly);
  ~FullHdPresentation();
  FullHdPresentation(const FullHdPresentation&) = delete;
  FullHdPresentation& operator=(const FullHdPresentation&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace velmorant::bench
