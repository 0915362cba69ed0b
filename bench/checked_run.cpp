#include "checked_run.hpp"

#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "app/player.hpp"
#include "idle_driven_backend.hpp"

namespace velmorant::bench {

namespace {

constexpr uint16_t kEnter = 13;
constexpr uint16_t kBackspace = 8;

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", v);
  return text;
}

std::string CheckPixel(const platform::Bitmap& surface, int x, int y, uint32_t expected,
                       const char* what) {
  const uint32_t got = surface.Get(x, y);
  if (got == expected) return {};
  return std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) + ": " +
         Hex(got) + " instead of " + Hex(expected);
}

// Page 0's background, and each map's picture inside its mask and the background outside it.
std::string CheckPageZero(const platform::Bitmap& surface) {
  if (surface.Width() != kScreenWidth || surface.Height() != kScreenHeight) {
    return "the window is not 1920 x 1080";
  }
  std::string error = CheckPixel(surface, 10, 10, BackgroundPixel(0, 10, 10), "background");
  for (int slot = 0; slot < kMapsPerScreen && error.empty(); ++slot) {
    const int left = MapLeft(slot);
    const int top = MapTop();
    const int cx = kMapWidth / 2;
    const int cy = kMapHeight / 2;
    error = CheckPixel(surface, left + cx, top + cy, MapPixel(slot, cx, cy), "map picture");
    if (error.empty() && !MaskShows(0, 0)) {
      error = CheckPixel(surface, left, top, BackgroundPixel(0, left, top), "outside the mask");
    }
  }
  return error;
}

std::vector<int> ActivatedPages(const std::filesystem::path& log) {
  std::vector<int> pages;
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    const auto event = nlohmann::json::parse(line, nullptr, false);
    if (event.is_object() && event.value("event", "") == "page") {
      pages.push_back(event.value("page", -1));
    }
  }
  return pages;
}

}  // namespace

std::string CheckedRun(const FullHdPresentation& show, const platform::CodePage& codepage,
                       int changes) {
  const std::filesystem::path log = show.Folder() / "checked_run.jsonl";
  std::string error;
  {
    int presses = 0;
    KeyDrivenBackend backend({kScreenWidth, kScreenHeight, 32}, [&]() -> std::optional<uint16_t> {
      if (presses >= changes) return std::nullopt;
      return presses++ % 2 == 0 ? kEnter : kBackspace;
    });
    backend.Log().Open(log.string());
    PlayerOptions options;
    options.presentation = show.Folder();
    Player player(backend, codepage, options);
    if (player.Run() != 0) return "the player could not run the presentation";
    if (changes % 2 == 0) error = CheckPageZero(player.window->Surface());
  }
  if (!error.empty()) return error;
  std::vector<int> expected;
  for (int i = 0; i <= changes; ++i) expected.push_back(i % 2);
  if (ActivatedPages(log) != expected) return "the key presses did not alternate pages 0 and 1";
  return {};
}

}  // namespace velmorant::bench
