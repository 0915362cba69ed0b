// Draws the demo presentation's pictures, sounds and film into a folder at build time, and writes
// its caption files in the presentation's code page, so that the repository holds no binaries.
//   make_demo_assets SOURCE_DIR OUT_DIR
// SOURCE_DIR/napisy/*.txt and teksty/*.rtf are UTF-8; OUT_DIR gets them in code page 1250.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "golden/tools/bmp_writer.hpp"
#include "platform/fs/codepage.hpp"
#include "support/film_builder.hpp"
#include "support/wave_builder.hpp"

namespace fs = std::filesystem;
using velmorant::fixtures::Rgb;

namespace {

constexpr double kPi = 3.14159265358979323846;

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  Rgb r = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = double((a >> shift) & 0xFF);
    const double cb = double((b >> shift) & 0xFF);
    r |= Rgb(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return r;
}

// A picture in memory, drawn with a few shapes; its mask marks what the shapes covered.
class Picture {
 public:
  Picture(int w, int h, Rgb fill) : w_(w), h_(h), px_(size_t(w) * size_t(h), fill) {}

  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgb At(int x, int y) const { return px_[size_t(y) * size_t(w_) + size_t(x)]; }

  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const size_t i = size_t(y) * size_t(w_) + size_t(x);
    px_[i] = c;
    if (covering_) covered_[i] = true;
  }
  // Each pixel from its position: shading, gradients.
  void Paint(const std::function<Rgb(int x, int y, Rgb old)>& f) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) Set(x, y, f(x, y, At(x, y)));
  }
  void VerticalGradient(Rgb top, Rgb bottom) {
    Paint([&](int, int y, Rgb) { return Mix(top, bottom, double(y) / std::max(1, h_ - 1)); });
  }
  void Disc(double cx, double cy, double r, Rgb c) {
    Shape([&](double x, double y) { return Square(x - cx) + Square(y - cy) <= r * r; }, c);
  }
  // A disc shaded from `light` at its upper left to `dark`, like a lit ball.
  void Ball(double cx, double cy, double r, Rgb light, Rgb dark) {
    for (int y = int(cy - r); y <= int(cy + r); ++y)
      for (int x = int(cx - r); x <= int(cx + r); ++x) {
        const double d = std::sqrt(Square(x + 0.5 - cx) + Square(y + 0.5 - cy));
        if (d > r) continue;
        const double glow = std::sqrt(Square(x - (cx - r / 3)) + Square(y - (cy - r / 3))) / r;
        Set(x, y, Mix(light, dark, glow));
      }
  }
  void Box(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void RoundBox(int x0, int y0, int x1, int y1, int radius, Rgb c) {
    Shape(
        [&](double x, double y) {
          const double dx = std::max({double(x0 + radius) - x, 0.0, x - double(x1 - radius)});
          const double dy = std::max({double(y0 + radius) - y, 0.0, y - double(y1 - radius)});
          return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= radius * radius;
        },
        c);
  }
  // A filled polygon (even-odd rule), corners in pixels.
  void Polygon(const std::vector<std::pair<double, double>>& p, Rgb c) {
    Shape(
        [&](double x, double y) {
          bool inside = false;
          for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            const auto [xi, yi] = p[i];
            const auto [xj, yj] = p[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
          }
          return inside;
        },
        c);
  }
  void Star(double cx, double cy, double outer, double inner, Rgb c) {
    std::vector<std::pair<double, double>> p;
    for (int i = 0; i < 10; ++i) {
      const double a = -kPi / 2 + i * kPi / 5;
      const double r = i % 2 ? inner : outer;
      p.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    Polygon(p, c);
  }

  // The mask of everything drawn with `Cover` on: black where covered, white elsewhere.
  void Cover(bool on) {
    covering_ = on;
    if (on && covered_.empty()) covered_.assign(px_.size(), false);
  }
  Picture MaskOf() const {
    Picture m(w_, h_, 0xFFFFFF);
    for (size_t i = 0; i < covered_.size(); ++i)
      if (covered_[i]) m.px_[i] = 0;
    return m;
  }

  bool Write(const fs::path& path) const {
    return velmorant::fixtures::WriteBmp(path, w_, h_, [&](int x, int y) { return At(x, y); });
  }

 private:
  static double Square(double v) { return v * v; }
  template <class Inside>
  void Shape(Inside inside, Rgb c) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (inside(x + 0.5, y + 0.5)) Set(x, y, c);
  }

  int w_, h_;
  std::vector<Rgb> px_;
  std::vector<bool> covered_;
  bool covering_ = false;
};

struct Writer {
  fs::path out;
  bool ok = true;

  void Bmp(const std::string& name, const Picture& p) {
    if (!p.Write(out / name)) Fail(name);
  }
  // The picture and its mask (NAME.msk beside NAME.bmp).
  void Masked(const std::string& name, const Picture& p) {
    Bmp(name, p);
    Bmp(fs::path(name).replace_extension(".msk").string(), p.MaskOf());
  }
  void Fail(const std::string& name) {
    std::cerr << "make_demo_assets: cannot write " << (out / name).string() << "\n";
    ok = false;
  }
};

// A background: a gradient with a few soft, large circles.
Picture Backdrop(Rgb top, Rgb bottom, Rgb circles, uint32_t seed) {
  Picture p(800, 600, 0);
  p.VerticalGradient(top, bottom);
  for (int i = 0; i < 7; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double cx = double(seed % 800);
    seed = seed * 1103515245u + 12345u;
    const double cy = double(seed % 600);
    const double r = 40 + double(seed % 90);
    p.Paint([&](int x, int y, Rgb old) {
      const double d = std::hypot(x - cx, y - cy) / r;
      return d < 1 ? Mix(old, circles, 0.18 * (1 - d * d)) : old;
    });
  }
  return p;
}

// A row of buttons: each cell 60 x 40 with an icon; `lit` for the picture under the pointer.
enum class Icon {
  kBack,
  kNext,
  kEnd,
  kPlay,
  kPause,
  kStop,
  kHome,
  kSun,
  kCloud,
  kHouse,
  kPrint,
  kLink,
  kDocument,
  kProgram
};

void DrawIcon(Picture& p, Icon icon, int x0, Rgb ink) {
  const double cx = x0 + 30, cy = 20;
  switch (icon) {
    case Icon::kBack:
      p.Polygon({{cx + 8, cy - 10}, {cx + 8, cy + 10}, {cx - 10, cy}}, ink);
      break;
    case Icon::kNext:
    case Icon::kPlay:
      p.Polygon({{cx - 8, cy - 10}, {cx - 8, cy + 10}, {cx + 10, cy}}, ink);
      break;
    case Icon::kEnd:
      p.Polygon({{cx - 10, cy - 8}, {cx - 8, cy - 10}, {cx + 10, cy + 8}, {cx + 8, cy + 10}}, ink);
      p.Polygon({{cx + 8, cy - 10}, {cx + 10, cy - 8}, {cx - 8, cy + 10}, {cx - 10, cy + 8}}, ink);
      break;
    case Icon::kPause:
      p.Box(int(cx) - 8, int(cy) - 9, int(cx) - 3, int(cy) + 9, ink);
      p.Box(int(cx) + 3, int(cy) - 9, int(cx) + 8, int(cy) + 9, ink);
      break;
    case Icon::kStop:
      p.Box(int(cx) - 8, int(cy) - 8, int(cx) + 8, int(cy) + 8, ink);
      break;
    case Icon::kHome:
      p.Polygon({{cx, cy - 11}, {cx + 11, cy}, {cx - 11, cy}}, ink);
      p.Box(int(cx) - 7, int(cy), int(cx) + 7, int(cy) + 10, ink);
      break;
    case Icon::kSun:
      p.Disc(cx, cy, 9, 0xFFC107);
      break;
    case Icon::kCloud:
      p.Disc(cx - 6, cy + 2, 7, 0xFFFFFF);
      p.Disc(cx + 4, cy - 1, 9, 0xFFFFFF);
      break;
    case Icon::kHouse:
      p.Polygon({{cx, cy - 11}, {cx + 11, cy - 1}, {cx - 11, cy - 1}}, 0xC62828);
      p.Box(int(cx) - 8, int(cy) - 1, int(cx) + 8, int(cy) + 10, 0xFFF3E0);
      break;
    case Icon::kPrint:
      p.Box(int(cx) - 11, int(cy) - 4, int(cx) + 11, int(cy) + 6, ink);
      p.Box(int(cx) - 6, int(cy) - 11, int(cx) + 6, int(cy) - 4, 0xFFFFFF);
      p.Box(int(cx) - 6, int(cy) + 4, int(cx) + 6, int(cy) + 11, 0xFFFFFF);
      break;
    case Icon::kLink:
      p.Disc(cx, cy, 11, ink);
      p.Disc(cx, cy, 8, 0x1E88E5);
      p.Box(int(cx) - 11, int(cy) - 1, int(cx) + 11, int(cy) + 1, ink);
      p.Box(int(cx) - 1, int(cy) - 11, int(cx) + 1, int(cy) + 11, ink);
      break;
    case Icon::kDocument:
      p.Polygon({{cx - 8, cy - 11},
                 {cx + 3, cy - 11},
                 {cx + 8, cy - 6},
                 {cx + 8, cy + 11},
                 {cx - 8, cy + 11}},
                0xFFFFFF);
      for (int line = -5; line <= 7; line += 4)
        p.Box(int(cx) - 5, int(cy) + line, int(cx) + 5, int(cy) + line + 1, 0x546E7A);
      break;
    case Icon::kProgram:
      p.Box(int(cx) - 12, int(cy) - 9, int(cx) + 12, int(cy) + 9, 0x263238);
      p.Polygon({{cx - 8, cy - 5}, {cx - 2, cy}, {cx - 8, cy + 5}}, 0x76FF03);
      p.Box(int(cx), int(cy) + 3, int(cx) + 7, int(cy) + 5, 0x76FF03);
      break;
  }
}

Picture Buttons(const std::vector<Icon>& icons, bool lit) {
  Picture p(60 * int(icons.size()), 40, 0x202020);
  for (size_t i = 0; i < icons.size(); ++i) {
    const int x0 = 60 * int(i);
    p.Paint([&](int x, int y, Rgb old) {
      if (x < x0 || x >= x0 + 60) return old;
      return lit ? Mix(0x90CAF9, 0x1E88E5, y / 40.0) : Mix(0x607D8B, 0x263238, y / 40.0);
    });
    p.Box(x0, 0, x0 + 1, 40, 0x101010);
    DrawIcon(p, icons[i], x0, lit ? 0xFFFFFF : 0xECEFF1);
  }
  return p;
}

void WriteButtons(Writer& w, const std::string& name, const std::vector<Icon>& icons) {
  w.Bmp(name + ".bmp", Buttons(icons, false));
  w.Bmp(name + "_jasne.bmp", Buttons(icons, true));
}

// A landscape: sky, sun, hills; the sandwich's layers draw parts of it on their own.
Picture Sky(int w, int h) {
  Picture p(w, h, 0);
  p.VerticalGradient(0x4FC3F7, 0xE1F5FE);
  p.Paint([&](int x, int y, Rgb old) {
    const double hill = h * 0.72 + 14 * std::sin(x / 37.0) + 8 * std::sin(x / 13.0 + 1);
    return y > hill ? Mix(0x66BB6A, 0x2E7D32, (y - hill) / (h - hill + 1)) : old;
  });
  return p;
}

void DrawSandwich(Writer& w) {
  const int sw = 320, sh = 200;
  w.Bmp("obrazy/pejzaz.bmp", Sky(sw, sh));
  w.Bmp("obrazy/pejzaz.msk", Picture(sw, sh, 0));  // the bottom layer covers all
  Picture sun(sw, sh, 0);
  sun.Cover(true);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    sun.Polygon({{70 + 30 * std::cos(a - 0.12), 55 + 30 * std::sin(a - 0.12)},
                 {70 + 46 * std::cos(a), 55 + 46 * std::sin(a)},
                 {70 + 30 * std::cos(a + 0.12), 55 + 30 * std::sin(a + 0.12)}},
                0xFFD54F);
  }
  sun.Ball(70, 55, 28, 0xFFF59D, 0xFFA000);
  w.Masked("obrazy/slonce.bmp", sun);
  Picture clouds(sw, sh, 0);
  clouds.Cover(true);
  for (const auto& [cx, cy] : std::vector<std::pair<double, double>>{{190, 50}, {250, 80}}) {
    clouds.Disc(cx - 22, cy + 4, 18, 0xFAFAFA);
    clouds.Disc(cx, cy - 6, 24, 0xFFFFFF);
    clouds.Disc(cx + 24, cy + 4, 18, 0xF5F5F5);
    clouds.Box(int(cx) - 22, int(cy) + 4, int(cx) + 24, int(cy) + 22, 0xFAFAFA);
  }
  w.Masked("obrazy/chmury.bmp", clouds);
  Picture house(sw, sh, 0);
  house.Cover(true);
  house.Box(180, 120, 260, 175, 0xFFE0B2);
  house.Polygon({{170, 122}, {220, 80}, {270, 122}}, 0xB71C1C);
  house.Box(210, 145, 228, 175, 0x6D4C41);
  house.Box(188, 132, 204, 146, 0x81D4FA);
  house.Box(236, 132, 252, 146, 0x81D4FA);
  w.Masked("obrazy/dom.bmp", house);
}

// A photograph-like picture for the images page: a sunset over the sea.
Picture Sunset() {
  Picture p(260, 170, 0);
  p.VerticalGradient(0x311B92, 0xFF7043);
  p.Ball(130, 105, 34, 0xFFF9C4, 0xFF6F00);
  p.Paint([](int x, int y, Rgb old) {
    if (y < 110) return old;
    const double wave = std::sin(x / 6.0 + y * 0.9) * 0.5 + 0.5;
    return Mix(Mix(0x0D47A1, 0x4A148C, (y - 110) / 60.0), 0xFFAB40,
               wave * 0.25 * (1 - (y - 110) / 60.0));
  });
  return p;
}

void DrawAnimation(Writer& w) {
  // A ball bouncing on a small screen of its own: eight opaque frames, each drawn over the last.
  for (int f = 0; f < 8; ++f) {
    Picture p(96, 96, 0);
    p.VerticalGradient(0x263238, 0x546E7A);
    p.Box(0, 84, 96, 96, 0x8D6E63);
    const double height = std::abs(std::sin(f / 8.0 * kPi));
    p.Disc(48, 86, 4 + 8 * (1 - height), 0x4E342E);  // the shadow grows as the ball falls
    p.Ball(48, 70 - 52 * height, 13, 0xFF8A80, 0xC62828);
    w.Bmp("filmy/pilka" + std::to_string(f + 1) + ".bmp", p);
  }
}

void DrawTiles(Writer& w) {
  const std::vector<std::pair<Rgb, Rgb>> colours{{0xEF5350, 0xB71C1C}, {0xFFCA28, 0xFF6F00},
                                                 {0x66BB6A, 0x1B5E20}, {0x42A5F5, 0x0D47A1},
                                                 {0xAB47BC, 0x4A148C}, {0x26C6DA, 0x006064}};
  for (size_t i = 0; i < colours.size(); ++i) {
    Picture p(150, 100, 0);
    p.VerticalGradient(colours[i].first, colours[i].second);
    p.Star(75, 50, 36, 15, 0xFFFFFF);
    w.Bmp("obrazy/kafel" + std::to_string(i + 1) + ".bmp", p);
  }
}

void DrawMisc(Writer& w) {
  Picture star(120, 120, 0);
  star.Cover(true);
  star.Star(60, 62, 58, 24, 0xFFD600);
  star.Star(60, 62, 44, 18, 0xFFEA00);
  w.Masked("obrazy/gwiazda.bmp", star);
  w.Bmp("obrazy/zachod.bmp", Sunset());

  Picture start(160, 160, 0);
  start.Cover(true);
  start.Ball(80, 80, 76, 0x80D8FF, 0x01579B);
  start.Polygon({{62, 46}, {62, 114}, {118, 80}}, 0xFFFFFF);
  w.Masked("przyciski/start.bmp", start);
  start.Ball(80, 80, 76, 0xB9F6CA, 0x1B5E20);
  start.Polygon({{62, 46}, {62, 114}, {118, 80}}, 0xFFFFFF);
  w.Bmp("przyciski/start_jasny.bmp", start);

  // Textures for captions and the frame's pattern.
  Picture gold(64, 64, 0);
  gold.Paint([](int x, int y, Rgb) {
    return Mix(0xFFF176, 0xF57F17, 0.5 + 0.5 * std::sin((x + 2 * y) / 6.0));
  });
  w.Bmp("tla/zloto.bmp", gold);
  Picture pattern(8, 8, 0);
  pattern.Paint([](int x, int y, Rgb) { return (x + y) % 4 < 2 ? 0xFFD54F : 0x8D6E63; });
  w.Bmp("tla/ramka.bmp", pattern);

  // The film's poster: its first frame's colours with a play sign.
  Picture poster(320, 240, 0);
  poster.VerticalGradient(0x263238, 0x000000);
  poster.Ball(160, 120, 50, 0xFFFFFF, 0x90A4AE);
  poster.Polygon({{145, 95}, {145, 145}, {187, 120}}, 0x263238);
  w.Bmp("obrazy/plakat.bmp", poster);
}

// Five seconds of colour bars sliding by, with a ball crossing them.
bool WriteFilm(const fs::path& path) {
  constexpr int kW = 320, kH = 240, kFps = 25, kFrames = 125;
  const std::vector<Rgb> bars{0xFFFFFF, 0xFFEB3B, 0x00BCD4, 0x4CAF50,
                              0xE91E63, 0xF44336, 0x3F51B5, 0x212121};
  return velmorant::fixtures::WriteAvi(
      path, kW, kH, kFps, kFrames, velmorant::fixtures::FilmCodec::kMpeg4,
      [&](int frame, int x, int y) -> Rgb {
        const double bx = 20 + (kW - 40) * (frame / double(kFrames - 1));
        const double by = kH / 2 + 60 * std::sin(frame / 6.0);
        if (std::hypot(x - bx, y - by) < 18) return 0xFF6D00;
        const int bar = ((x + frame * 4) / (kW / 8)) % 8;
        return y < kH * 3 / 4 ? bars[size_t(bar)] : Mix(0x000000, 0xFFFFFF, x / double(kW));
      });
}

// A sound of notes (frequency in Hz, length in ms), each fading out, 16-bit mono at 22050 Hz.
bool WriteTune(const fs::path& path, const std::vector<std::pair<double, int>>& notes) {
  constexpr uint32_t kRate = 22050;
  std::string data;
  for (const auto& [frequency, ms] : notes) {
    const uint32_t n = kRate * uint32_t(ms) / 1000;
    for (uint32_t i = 0; i < n; ++i) {
      const double t = double(i) / kRate;
      const double envelope = std::min(1.0, i / 200.0) * std::exp(-3.0 * t);
      const double wave =
          std::sin(2 * kPi * frequency * t) + 0.3 * std::sin(4 * kPi * frequency * t);
      velmorant::fixtures::PutLe(data, uint16_t(int16_t(9000 * envelope * wave)), 2);
    }
  }
  return velmorant::fixtures::WriteWave(path, {1, 1, kRate, 16}, data);
}

// A caption keeps its bytes but its last line break; a rich text spells every byte beyond ASCII
// as \'hh.
std::string AsCaption(std::string bytes) {
  while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
  return bytes;
}

std::string AsRichText(std::string bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string rtf;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      rtf += c;
    } else {
      rtf += "\\'";
      rtf += kHex[b >> 4];
      rtf += kHex[b & 15];
    }
  }
  return rtf;
}

// Captions and rich texts are kept in UTF-8 beside this program and written in code page 1250,
// as the presentation's editors wrote them.
bool WriteTexts(const fs::path& source, const fs::path& out, const std::string& folder,
                std::string (*encode)(std::string)) {
  const auto codepage = velmorant::platform::CodePage::Open(1250);
  if (!codepage) return false;
  bool ok = true;
  for (const auto& entry : fs::directory_iterator(source / folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const auto bytes = codepage->FromUtf8(text.str());
    std::ofstream file(out / folder / entry.path().filename(), std::ios::binary);
    if (!bytes || !(file << encode(*bytes))) {
      std::cerr << "make_demo_assets: cannot write " << (out / folder / entry.path().filename())
                << "\n";
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_demo_assets SOURCE_DIR OUT_DIR\n";
    return 2;
  }
  const fs::path source = argv[1];
  Writer w{argv[2]};
  for (const char* folder : {"tla", "obrazy", "przyciski", "napisy", "teksty", "dzwieki", "filmy"})
    fs::create_directories(w.out / folder);

  w.Bmp("tla/powitanie.bmp", Backdrop(0x0D1B4C, 0x4A148C, 0x80DEEA, 7));
  w.Bmp("tla/obrazy.bmp", Backdrop(0x004D40, 0x26A69A, 0xFFFFFF, 11));
  w.Bmp("tla/teksty.bmp", Backdrop(0xFFF8E1, 0xFFCC80, 0xFFFFFF, 3));
  w.Bmp("tla/kino.bmp", Backdrop(0x000000, 0x37474F, 0xFF8A65, 5));
  w.Bmp("tla/odnosniki.bmp", Backdrop(0x1A237E, 0x3949AB, 0x90CAF9, 13));
  w.Bmp("tla/przejscia.bmp", Backdrop(0x212121, 0x616161, 0xFFEB3B, 17));
  w.Bmp("tla/koniec.bmp", Backdrop(0x4A148C, 0x0D1B4C, 0xF48FB1, 19));

  WriteButtons(w, "przyciski/nawigacja", {Icon::kBack, Icon::kNext, Icon::kEnd});
  WriteButtons(w, "przyciski/od_nowa", {Icon::kHome, Icon::kEnd});
  WriteButtons(w, "przyciski/warstwy", {Icon::kSun, Icon::kCloud, Icon::kHouse});
  WriteButtons(w, "przyciski/film", {Icon::kPlay, Icon::kPause, Icon::kStop});
  WriteButtons(w, "przyciski/melodia", {Icon::kPlay, Icon::kStop});
  WriteButtons(w, "przyciski/druk", {Icon::kPrint});
  WriteButtons(w, "przyciski/odnosniki",
               {Icon::kLink, Icon::kDocument, Icon::kProgram, Icon::kStop});

  DrawSandwich(w);
  DrawAnimation(w);
  DrawTiles(w);
  DrawMisc(w);

  if (!WriteFilm(w.out / "filmy/kolory.avi")) w.Fail("filmy/kolory.avi");
  if (!WriteTune(w.out / "dzwieki/powitanie.wav", {{523.25, 180}, {659.25, 180}, {783.99, 500}}))
    w.Fail("dzwieki/powitanie.wav");
  if (!WriteTune(w.out / "dzwieki/melodia.wav", {{392.00, 300},
                                                 {440.00, 300},
                                                 {493.88, 300},
                                                 {523.25, 600},
                                                 {493.88, 300},
                                                 {440.00, 600}}))
    w.Fail("dzwieki/melodia.wav");
  if (!WriteTexts(source, w.out, "napisy", AsCaption) ||
      !WriteTexts(source, w.out, "teksty", AsRichText))
    w.ok = false;
  return w.ok ? 0 : 1;
}
