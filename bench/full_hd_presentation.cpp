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

std::string ImageName(int image) {
  return "obraz" + std::to_string(image);
}

std::string FrameName(int frame) {
  return "klatka" + std::to_string(frame);
}

Rgb ImagePixel(int image, int x, int y) {
  return Checker(10, 0x30A030 | Shade(image), 0x202020, x, y);
}

Rgb FramePixel(int frame, int x, int y) {
  return AnimationFramePixel(frame, x, y);
}

Rgb RoundedMask(int x, int y, int w, int h) {
  return RoundedMaskShows(x, y, w, h) ? 0x000000 : 0xFFFFFF;
}

// Five masked images in a row along the top and the animation under the middle one, clear of the
// maps below.
void AddImagesAndAnimation(Definition& definition, int page, TEkr& screen) {
  for (int k = 0; k < kImagesPerScreen; ++k) {
    TObr image;
    image.FileName = ImageName(k) + ".bmp";
    image.Masked = 1;
    image.X = 2 + 20 * k;
    image.Y = 5;
    screen.Images.Add(int32_t(definition.TObrazy.size()));
    definition.TObrazy.push_back(image);
  }
  TAni animation;
  animation.Name = "animacja " + std::to_string(page);
  animation.X = 40;  // AnimationLeft
  animation.Y = 28;  // AnimationTop
  for (int f = 0; f < kAnimationFrames; ++f) {
    TKlt frame;
    frame.FileName = FrameName(f) + ".bmp";
    frame.UseMask = 1;
    frame.Duration = kAnimationFrameMs;
    animation.Frames.push_back(frame);
  }
  screen.Animations.Add(int32_t(definition.TAnimacje.size()));
  definition.TAnimacje.push_back(animation);
}

Definition MakeDefinition(const std::optional<TPrz>& page_transition, Elements elements) {
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
    if (elements == Elements::kImagesAndAnimation) AddImagesAndAnimation(definition, page, screen);
    definition.TEkrany.push_back(screen);
    TTlo background;
    background.FileName = "tlo" + std::to_string(page) + ".bmp";
    definition.TTla.push_back(background);
  }
  return definition;
}

void WriteImagesAndFrames(const std::filesystem::path& folder) {
  const auto mask = [](int x, int y) { return RoundedMask(x, y, kImageWidth, kImageHeight); };
  for (int k = 0; k < kImagesPerScreen; ++k) {
    const std::filesystem::path images = folder / "obrazy";
    Write(images / (ImageName(k) + ".bmp"), kImageWidth, kImageHeight,
          [k](int x, int y) { return ImagePixel(k, x, y); });
    Write(images / (ImageName(k) + ".msk"), kImageWidth, kImageHeight, mask);
  }
  for (int f = 0; f < kAnimationFrames; ++f) {
    const std::filesystem::path frames = folder / "filmy";
    Write(frames / (FrameName(f) + ".bmp"), kImageWidth, kImageHeight,
          [f](int x, int y) { return FramePixel(f, x, y); });
    Write(frames / (FrameName(f) + ".msk"), kImageWidth, kImageHeight, mask);
  }
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
                         const std::optional<TPrz>& page_transition, Elements elements) {
  const WriteResult written = WriteDefinition(MakeDefinition(page_transition, elements), 'g');
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

// Each frame a checker shifted by its number, so that a frame change repaints most pixels.
uint32_t AnimationFramePixel(int frame, int x, int y) {
  return Checker(16, 0xF0C000, 0x8000F0 | Shade(frame), x + frame * 4, y);
}

// A rounded rectangle: |dx|^4 + |dy|^4 <= 1.
bool RoundedMaskShows(int x, int y, int w, int h) {
  const double dx = (x + 0.5 - w / 2.0) / (w / 2.0);
  const double dy = (y + 0.5 - h / 2.0) / (h / 2.0);
  return dx * dx * dx * dx + dy * dy * dy * dy <= 1.0;
}

bool MaskShows(int x, int y) {
  return RoundedMaskShows(x, y, kMapWidth, kMapHeight);
}

FullHdPresentation::FullHdPresentation(std::optional<TPrz> page_transition, Elements elements)
    : folder_(MakeTemporaryFolder()) {
  try {
    WriteDefinitionFile(folder_ / "info.med", page_transition, elements);
    WriteAssets(folder_);
    if (elements == Elements::kImagesAndAnimation) WriteImagesAndFrames(folder_);
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
