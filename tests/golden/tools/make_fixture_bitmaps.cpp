// Writes the bitmaps of a fixture presentation from a short description, one per line:
//   PATH W H solid RRGGBB
//   PATH W H checker CELL RRGGBB RRGGBB
//   PATH W H hstripes HEIGHT RRGGBB RRGGBB
//   PATH W H vgradient RRGGBB RRGGBB
//   PATH W H frame RRGGBB RRGGBB        (2-pixel border of the first colour)
//   PATH W H ellipse RRGGBB RRGGBB      (first colour inside the ellipse, second outside)
//   PATH 1 H column RRGGBB ...          (one colour per row)
// Every file is a 24-bit bottom-up BMP. '#' starts a comment.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bmp_writer.hpp"

namespace {

using velmorant::fixtures::Rgb;

Rgb ParseColour(const std::string& s) {
  return Rgb(std::stoul(s, nullptr, 16));
}

Rgb Mix(Rgb a, Rgb b, int num, int den) {
  Rgb r = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int ca = int((a >> shift) & 0xFF);
    const int cb = int((b >> shift) & 0xFF);
    r |= Rgb(ca + (cb - ca) * num / den) << shift;
  }
  return r;
}

std::string Draw(std::istringstream& words, int w, int h, std::vector<Rgb>& px) {
  std::string pattern;
  words >> pattern;
  auto at = [&](int x, int y) -> Rgb& { return px[size_t(y) * size_t(w) + size_t(x)]; };
  std::string a, b;
  if (pattern == "solid") {
    words >> a;
    for (Rgb& p : px) p = ParseColour(a);
  } else if (pattern == "checker" || pattern == "hstripes") {
    int n = 1;
    words >> n >> a >> b;
    if (n < 1) return "cell size below 1";
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool first = pattern == "checker" ? ((x / n + y / n) % 2 == 0) : ((y / n) % 2 == 0);
        at(x, y) = ParseColour(first ? a : b);
      }
  } else if (pattern == "vgradient") {
    words >> a >> b;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        at(x, y) = Mix(ParseColour(a), ParseColour(b), y, h > 1 ? h - 1 : 1);
  } else if (pattern == "frame") {
    words >> a >> b;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
        at(x, y) = ParseColour(edge ? a : b);
      }
  } else if (pattern == "ellipse") {
    words >> a >> b;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double dx = (x + 0.5 - w / 2.0) / (w / 2.0);
        const double dy = (y + 0.5 - h / 2.0) / (h / 2.0);
        at(x, y) = ParseColour(dx * dx + dy * dy <= 1.0 ? a : b);
      }
  } else if (pattern == "column") {
    for (int y = 0; y < h; ++y) {
      if (!(words >> a)) return "column needs one colour per row";
      for (int x = 0; x < w; ++x) at(x, y) = ParseColour(a);
    }
  } else {
    return "unknown pattern " + pattern;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_fixture_bitmaps DESCRIPTION OUTPUT_FOLDER\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 1;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string path;
    int w = 0, h = 0;
    if (!(words >> path)) continue;
    words >> w >> h;
    if (w < 1 || h < 1 || w > 4096 || h > 4096) {
      std::cerr << argv[1] << ":" << number << ": bad size\n";
      return 1;
    }
    std::vector<Rgb> px(size_t(w) * size_t(h), 0);
    try {
      if (std::string error = Draw(words, w, h, px); !error.empty()) {
        std::cerr << argv[1] << ":" << number << ": " << error << '\n';
        return 1;
      }
    } catch (const std::exception&) {
      std::cerr << argv[1] << ":" << number << ": bad colour\n";
      return 1;
    }
    const auto pixel_at = [&](int x, int y) { return px[size_t(y) * size_t(w) + size_t(x)]; };
    if (!velmorant::fixtures::WriteBmp(std::filesystem::path(argv[2]) / path, w, h, pixel_at)) {
      std::cerr << "cannot write " << path << '\n';
      return 1;
    }
  }
  return 0;
}
