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
//   hostile_pages frames DIR   8 framed images whose frame pattern is 1 KB claiming 8192 x 4096
//   hostile_pages captions DIR 400 full-window captions on each of two pages
//   hostile_pages distinct-captions DIR   the same, each caption its own file
//   hostile_pages long-caption DIR   a caption file of one 63 MiB word
//   hostile_pages x-caption DIR      an 8 MiB caption "x x x ..." at size 1
//   hostile_pages animation DIR      an animation of two 1 KB frames claiming 8192 x 8192
//   hostile_pages backgrounds DIR    50 self-advancing pages on a background of such a picture
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../golden/tools/bmp_writer.hpp"
#include "definition/loader.hpp"
#include "platform/gfx/png_writer.hpp"
#include "support/bmp_builder.hpp"
#include "support/costly_pages.hpp"
#include "support/film_builder.hpp"
#include "support/rtf_hex.hpp"

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
  const std::string dib = fixtures::RtfHex(ClaimingDib());
  for (int i = 0; i < 10; ++i) rtf += "{\\pict\\dibitmap0\\picw8192\\pich8192 " + dib + "}";
  return rtf + "}";
}

std::string ScaledText() {
  std::string rtf = "{\\rtf1\\ansi ";
  const std::string png = fixtures::RtfHex(platform::EncodePng(platform::Bitmap(4, 4, 0x3060C0)));
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

bool WriteFile(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

// Pages 0 and 1 on `screen`, each going on by itself after a second.
void AddTwoPages(Definition& def, TEkr screen) {
  def.TEkrany.push_back(std::move(screen));
  def.TMedia = {{0, 1000, -1}, {0, 1000, -1}};
}

Definition FramedImages() {
  Definition def;
  TRam style;
  style.Kind = 1;
  style.Width = 8;
  style.PatternFile = "ramka.bmp";
  def.TRamki = {style};
  TEkr screen;
  for (int32_t i = 0; i < 8; ++i) {
    TObr image;
    image.FileName = fixtures::PictureName(0);
    image.X = 5 + 11 * i;
    image.Y = 40;
    image.FrameIndex = 0;
    def.TObrazy.push_back(image);
    screen.Images.Add(i);
  }
  AddTwoPages(def, std::move(screen));
  return def;
}

TNap CaptionOf(int32_t size, bool whole_window) {
  TNap nap;
  nap.FileName = "n.txt";
  nap.FontName = "Arial";
  nap.FontSize = size;
  nap.Colour = 0x0000FF;
  if (whole_window) {
    nap.X = nap.Y = 0;
    nap.W = nap.H = 100;
  }
  return nap;
}

Definition Captions(int count, int32_t size, bool whole_window) {
  Definition def;
  TEkr screen;
  for (int32_t i = 0; i < count; ++i) {
    def.TNapisy.push_back(CaptionOf(size, whole_window));
    screen.Captions.Add(i);
  }
  AddTwoPages(def, std::move(screen));
  return def;
}

Definition Animation() {
  Definition def;
  TAni animation;
  animation.X = animation.Y = 10;
  for (const char* name : {"a0.bmp", "a1.bmp"}) {
    TKlt frame;
    frame.FileName = name;
    frame.Duration = 40;
    animation.Frames.push_back(frame);
  }
  def.TAnimacje = {animation};
  TEkr screen;
  screen.Animations.Add(0);
  def.TEkrany = {screen};
  def.TMedia = {{0, 0, -1}};
  return def;
}

Definition Backgrounds(int pages) {
  Definition def;
  TTlo background;
  background.FileName = "tlo.bmp";
  def.TTla = {background};
  TEkr screen;
  screen.Background = 0;
  def.TEkrany = {screen};
  for (int i = 0; i < pages; ++i) def.TMedia.push_back({0, 100, -1});
  return def;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: hostile_pages wipes|slides|films|maps|bigtext|dibs|scaled|fonts|sizes|frames|"
      "captions|distinct-captions|long-caption|x-caption|animation|backgrounds DIR\n");
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
    fs::create_directories(folder / "filmy", ec);
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
  } else if (what == "frames") {
    ok = WriteFile(folder / "tla" / "ramka.bmp", testing::RleClaimingSize(8192, 4096)) &&
         fixtures::WriteBmp(folder / "obrazy" / fixtures::PictureName(0), 64, 64,
                            [](int x, int) { return fixtures::Rgb(x < 32 ? 0xFF0000 : 0xFF); }) &&
         WriteDefinitionFile(folder, FramedImages());
  } else if (what == "captions") {
    ok = WriteFile(folder / "napisy" / "n.txt", {'A', 'l', 'a'}) &&
         WriteDefinitionFile(folder, Captions(400, 24, true));
  } else if (what == "distinct-captions") {
    Definition def = Captions(400, 24, true);
    ok = true;
    for (size_t i = 0; i < def.TNapisy.size() && ok; ++i) {
      def.TNapisy[i].FileName = "n" + std::to_string(i) + ".txt";
      const std::string text = "Ala " + std::to_string(i);
      ok = WriteFile(folder / "napisy" / def.TNapisy[i].FileName, {text.begin(), text.end()});
    }
    ok = ok && WriteDefinitionFile(folder, def);
  } else if (what == "long-caption") {
    ok = WriteFile(folder / "napisy" / "n.txt", std::vector<uint8_t>(size_t{63} << 20, 'x')) &&
         WriteDefinitionFile(folder, Captions(1, 12, false));
  } else if (what == "x-caption") {
    std::vector<uint8_t> text(size_t{8} << 20, ' ');
    for (size_t i = 0; i < text.size(); i += 2) text[i] = 'x';
    ok = WriteFile(folder / "napisy" / "n.txt", text) &&
         WriteDefinitionFile(folder, Captions(1, 1, false));
  } else if (what == "animation") {
    ok = WriteFile(folder / "filmy" / "a0.bmp", testing::RleClaimingSize(8192, 8192)) &&
         WriteFile(folder / "filmy" / "a1.bmp", testing::RleClaimingSize(8192, 8192)) &&
         WriteDefinitionFile(folder, Animation());
  } else if (what == "backgrounds") {
    ok = WriteFile(folder / "tla" / "tlo.bmp", testing::RleClaimingSize(8192, 8192)) &&
         WriteDefinitionFile(folder, Backgrounds(50));
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
