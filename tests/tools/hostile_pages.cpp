// Writes the full-size presentations whose pages cost too much, for measuring the player on them:
//   hostile_pages wipes DIR    150 full-window images, each with a 4,096-step wipe
//   hostile_pages slides DIR   the same with 4,096-step slides (a whole picture drawn per step)
//   hostile_pages films DIR    one film listed 20,000 times on one screen
//   hostile_pages maps DIR     one map listed 20,000 times on one screen
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "../golden/tools/bmp_writer.hpp"
#include "definition/loader.hpp"
#include "support/costly_pages.hpp"
#include "support/film_builder.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

constexpr int kPictures = 150;
constexpr int32_t kMaxSteps = 4096;
constexpr int kListings = 20000;

// 1024 x 768, each picture its own colour so that a snapshot shows which one came last.
bool WritePictures(const fs::path& folder) {
  for (int i = 0; i < kPictures; ++i) {
    const auto shade = fixtures::Rgb(uint32_t(i) * 0x010203u & 0xFFFFFF);
    const fs::path file = folder / fixtures::PictureName(i);
    if (!fixtures::WriteBmp(file, 1024, 768, [&](int x, int y) {
          return (x / 64 + y / 64) % 2 ? shade : fixtures::Rgb(0xFFFFFF);
        })) {
      return false;
    }
  }
  return true;
}

bool WriteDefinitionFile(const fs::path& folder, Definition def) {
  NumberRecords(def);
  const WriteResult written = WriteDefinition(def, 'g');
  if (!written.error.empty()) {
    std::fprintf(stderr, "hostile_pages: %s\n", written.error.c_str());
    return false;
  }
  std::ofstream out(folder / "info.med", std::ios::binary);
  out.write(reinterpret_cast<const char*>(written.bytes.data()),
            std::streamsize(written.bytes.size()));
  return bool(out);
}

int Usage() {
  std::fprintf(stderr, "usage: hostile_pages wipes|slides|films|maps DIR\n");
  return 2;
}

int Run(const std::string& what, const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  bool ok = false;
  if (what == "wipes" || what == "slides") {
    ok =
        WritePictures(folder / "obrazy") &&
        WriteDefinitionFile(
            folder, fixtures::FullWindowImages(
                        kPictures, {"many steps", uint8_t(what == "wipes" ? 1 : 6), 0, kMaxSteps}));
  } else if (what == "films") {
    // Two seconds of a small film: 20,000 plays of it would take 11 hours of page time.
    ok = fixtures::WriteAvi(folder / "filmy" / "f.avi", 32, 24, 10, 20, fixtures::FilmCodec::kRaw,
                            [](int f, int x, int y) { return uint32_t(f * 0x102030 + x + y); }) &&
         WriteDefinitionFile(folder, fixtures::FilmListed(kListings));
  } else if (what == "maps") {
    ok = fixtures::WriteBmp(
             folder / "przyciski" / "m.bmp", 120, 40,
             [](int x, int) { return fixtures::Rgb(x < 60 ? 0xFF0000 : 0x0000FF); }) &&
         WriteDefinitionFile(folder, fixtures::MapListed(kListings));
  } else {
    return Usage();
  }
  if (!ok) std::fprintf(stderr, "hostile_pages: cannot write %s\n", folder.c_str());
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace velmorant

int main(int argc, char** argv) {
  if (argc != 3) return velmorant::Usage();
  return velmorant::Run(argv[1], argv[2]);
}
