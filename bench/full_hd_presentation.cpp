#include "full_hd_presentation.hpp"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "definition/definition.hpp"
#include "definition/loader.hpp"
#include "tests/golden/tools/bmp_writer.hpp"

namespace velmorant::bench {

namespace {

using fixtures::Rgb;

std::filesystem::path MakeTemporaryFolder() {
  std::string name = (std::filesystem::temp_directory_path() / "velmorant-bench-XXXXXX").string();
  if (!mkdtemp(name.data())) throw std::runtime_error("cannot create a temporary folder");
  return name;
}

void Write(const std::filesystem::path& path, int w, int h, auto pixel_at) {
  if (!fixtures::WriteBmp(path, w, h, pixel_at)) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

Rgb Checker(int cell, Rgb a, Rgb b, int x, int y) {
  return ((x / cell + y / cell) % 2 == 0) ? a : b;
}

Rgb Shade(int map) {
  return Rgb(0x101010 * (map % 8));
}

Rgb HoverPixel(int map, int x, int y) {
  return Checker(12, 0xC04020 | Shade(map), 0xFFFF80, x, y);
}

// Black where the picture shows, white where it is transparent.
Rgb MaskPixel(int x, int y) {
  return MaskShows(x, y) ? 0x000000 : 0xFFFFFF;
}

std::string MapName(int map) {
  return "mapa" + std::to_string(map);
}

TMap MapRecord(int page, int slot) {
  const int number = page * kMapsPerScreen + slot;
  TMap map;
  map.Name = MapName(number);
  map.FileName = MapName(number) + ".bmp";
  map.HoverFileName = MapName(number) + "_nad.bmp";
  map.UseMask = 1;
  map.X = 4 + 32 * slot;  // per cent of the client width: MapLeft
  map.Y = 55;             // MapTop
  map.Width = 0;          // the picture's own size
  map.Height = 0;
  for (int r = 0; r < kRegionsPerMap; ++r) {
    TReg region;
    region.X = 20 + 108 * r;
    region.Y = 140;
    region.Width = 90;
    region.Height = 80;
    region.Action = {r % 2 == 0 ? kActionNext : kActionPrevious, 0};
    region.Hint = "Przycisk " + std::to_string(r + 1);
    map.Regions.push_back(region);
  }
  return map;
}

Definition MakeDefinition(const std::optional<TPrz>& page_transition) {
  Definition definition;
  definition.edition = 'g';
  if (page_transition) definition.TPrzeniki.push_back(*page_transition);
  for (int page = 0; page < kPages; ++page) {
    TMed med;
    med.Screen = page;
    med.TransitionIndex = page_transition ? 0 : -1;
    definition.TMedia.push_back(med);
    TEkr screen;
    screen.Name = "strona " + std::to_string(page);
    screen.Background = page;
    screen.Keys = {0, 1, 2};  // the built-in Enter, Backspace and Escape
    for (int slot = 0; slot < kMapsPerScreen; ++slot) {
      screen.Maps.Add(page * kMapsPerScreen + slot);
      definition.TMapy.push_back(MapRecord(page, slot));
    }
    definition.TEkrany.push_back(screen);
    TTlo background;
    background.FileName = "tlo" + std::to_string(page) + ".bmp";
    definition.TTla.push_back(background);
  }
  return definition;
}

void WriteAssets(const std::filesystem::path& folder) {
  for (int page = 0; page < kPages; ++page) {
    Write(folder / "tla" / ("tlo" + std::to_string(page) + ".bmp"), kScreenWidth, kScreenHeight,
          [page](int x, int y) { return BackgroundPixel(page, x, y); });
  }
  for (int map = 0; map < kPages * kMapsPerScreen; ++map) {
    const std::filesystem::path buttons = folder / "przyciski";
    Write(buttons / (MapName(map) + ".bmp"), kMapWidth, kMapHeight,
          [map](int x, int y) { return MapPixel(map, x, y); });
    Write(buttons / (MapName(map) + "_nad.bmp"), kMapWidth, kMapHeight,
          [map](int x, int y) { return HoverPixel(map, x, y); });
    Write(buttons / (MapName(map) + ".msk"), kMapWidth, kMapHeight, MaskPixel);
  }
}

void WriteDefinitionFile(const std::filesystem::path& path,
                         const std::optional<TPrz>& page_transition) {
  const WriteResult written = WriteDefinition(MakeDefinition(page_transition), 'g');
  if (!written.error.empty()) throw std::runtime_error("definition: " + written.error);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(written.bytes.data()),
            std::streamsize(written.bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

// Busy pictures rather than flat ones, so that nothing downstream can take a shortcut.
uint32_t BackgroundPixel(int page, int x, int y) {
  const auto r = Rgb(x * 255 / (kScreenWidth - 1));
  const auto g = Rgb(y * 255 / (kScreenHeight - 1));
  const auto b = Rgb((page * 90 + (x ^ y)) & 0xFF);
  return (r << 16) | (g << 8) | b;
}

uint32_t MapPixel(int map, int x, int y) {
  return Checker(12, 0x2040C0 | Shade(map), 0xE0E0E0, x, y);
}

// A rounded rectangle: |dx|^4 + |dy|^4 <= 1.
bool MaskShows(int x, int y) {
  const double dx = (x + 0.5 - kMapWidth / 2.0) / (kMapWidth / 2.0);
  const double dy = (y + 0.5 - kMapHeight / 2.0) / (kMapHeight / 2.0);
  return dx * dx * dx * dx + dy * dy * dy * dy <= 1.0;
}

FullHdPresentation::FullHdPresentation(std::optional<TPrz> page_transition)
    : folder_(MakeTemporaryFolder()) {
  try {
    WriteDefinitionFile(folder_ / "info.med", page_transition);
    WriteAssets(folder_);
  } catch (...) {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    throw;
  }
}

FullHdPresentation::~FullHdPresentation() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

TPrz TopDownWipe(int32_t steps, int32_t delay_ms) {
  TPrz wipe;
  wipe.Name = "kurtyna";
  wipe.Kind = 1;  // top to bottom
  wipe.Steps = steps;
  wipe.DelayMs = delay_ms;
  return wipe;
}

}  // namespace velmorant::bench
