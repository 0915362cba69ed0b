// Writes the full-size presentations whose pages cost too much, for measuring the player on them:
//   hostile_pages wipes DIR    150 full-window images, each with a 4,096-step wipe
//   hostile_pages slides DIR   the same with 4,096-step slides (a whole picture drawn per step)
//   hostile_pages films DIR    one film listed 20,000 times on one screen
//   hostile_pages maps DIR     one map listed 20,000 times on one screen
//   hostile_pages bigtext DIR  a rich text ten times the screen's width and height (1000 %)
//   hostile_pages dibs DIR     a text of ten 62-byte DIB pictures each claiming 8192 x 8192
//   hostile_pages scaled DIR   a text of fifty 4 x 4 PNG pictures each shown at 4096 x 4096
//   hostile_pages fonts DIR    three texts, each a table of 4,096 fonts and a letter in each
//   hostile_pages sizes DIR    a text of 400 large font sizes, each over 62 letters
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../golden/tools/bmp_writer.hpp"
#include "definition/loader.hpp"
#include "platform/gfx/png_writer.hpp"
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

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A DIB of 62 bytes whose header claims 8192 x 8192 8-bit RLE pixels: one run, then the end.
std::vector<uint8_t> ClaimingDib() {
  std::vector<uint8_t> dib;
  PutLe(dib, 40, 4);
  PutLe(dib, 8192, 4);
  PutLe(dib, 8192, 4);
  PutLe(dib, 1, 2);
  PutLe(dib, 8, 2);
  PutLe(dib, 1, 4);  // RLE8
  PutLe(dib, 14, 4);
  PutLe(dib, 0, 4);
  PutLe(dib, 0, 4);
  PutLe(dib, 2, 4);
  PutLe(dib, 0, 4);
  PutLe(dib, 0x000000, 4);
  PutLe(dib, 0xFF0000, 4);
  for (uint8_t b :
       {0xFF, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x01}) {
    dib.push_back(b);
  }
  return dib;
}

std::string DibsText() {
  std::string rtf = "{\\rtf1\\ansi ";
  const std::string dib = Hex(ClaimingDib());
  for (int i = 0; i < 10; ++i) rtf += "{\\pict\\dibitmap0\\picw8192\\pich8192 " + dib + "}";
  return rtf + "}";
}

std::string ScaledText() {
  std::string rtf = "{\\rtf1\\ansi ";
  const std::string png = Hex(platform::EncodePng(platform::Bitmap(4, 4, 0x3060C0)));
  for (int i = 0; i < 50; ++i) {
    rtf += "{\\pict\\pngblip\\picw4\\pich4\\picwgoal61440\\pichgoal61440 " + png + "}";
  }
  return rtf + "}";
}

std::string FontsText() {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl";
  for (int i = 0; i < 4096; ++i) {
    rtf += "{\\f" + std::to_string(i) + "\\fnil Font" + std::to_string(i) + ";}";
  }
  rtf += "}";
  for (int i = 0; i < 4096; ++i) rtf += "\\f" + std::to_string(i) + " a";
  return rtf + "}";
}

std::string SizesText() {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
  for (int i = 0; i < 400; ++i) {
    rtf += "\\fs" + std::to_string(1000 + 5 * i) +
           " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  }
  return rtf + "}";
}

bool WriteText(const fs::path& file, const std::string& text) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary);
  out << text;
  return bool(out);
}

// `texts` copies of `text` as t0.rtf, t1.rtf, ..., shown at once over the window (or, `huge`,
// ten times its size).
bool WriteTexts(const fs::path& folder, const std::string& text, int texts, bool huge = false) {
  for (int i = 0; i < texts; ++i) {
    if (!WriteText(folder / "teksty" / ("t" + std::to_string(i) + ".rtf"), text)) return false;
  }
  return WriteDefinitionFile(folder, huge ? fixtures::TextsShown(texts, 0, 0, 1000, 1000)
                                          : fixtures::TextsShown(texts, 0, 0, 100, 100));
}

int Usage() {
  std::fprintf(
      stderr, "usage: hostile_pages wipes|slides|films|maps|bigtext|dibs|scaled|fonts|sizes DIR\n");
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
  } else if (what == "bigtext") {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    for (int i = 0; i < 200; ++i) rtf += "A line of text that goes on. \\par ";
    ok = WriteTexts(folder, rtf + "}", 1, true);
  } else if (what == "dibs") {
    ok = WriteTexts(folder, DibsText(), 1);
  } else if (what == "scaled") {
    ok = WriteTexts(folder, ScaledText(), 1);
  } else if (what == "fonts") {
    ok = WriteTexts(folder, FontsText(), 3);
  } else if (what == "sizes") {
    ok = WriteTexts(folder, SizesText(), 1);
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
