// Definitions of one page that costs much: many full-window pictures each appearing with one
// transition, one element listed many times on its screen, or texts too costly to show.
#pragma once

#include <string>
#include <utility>

#include "definition/definition.hpp"

namespace velmorant::fixtures {

// p0.bmp, p1.bmp, ... (built by appending: GCC 12 warns wrongly on "p" + std::to_string(i)).
inline std::string PictureName(int i) {
  std::string name = "p";
  name += std::to_string(i);
  name += ".bmp";
  return name;
}

// The presentation's one page, on `screen`.
inline void AddOnlyPage(Definition& def, TEkr screen) {
  def.TEkrany.push_back(std::move(screen));
  def.TMedia.push_back({0, 0, -1});
}

// `images` pictures p0.bmp, p1.bmp, ... over the whole window, each appearing with `transition`.
inline Definition FullWindowImages(int images, const TPrz& transition) {
  Definition def;
  def.TPrzeniki.push_back(transition);
  TEkr screen;
  for (int i = 0; i < images; ++i) {
    TObr image;
    image.FileName = PictureName(i);
    image.X = image.Y = 0;
    image.W = image.H = 100;
    image.TransitionIn = 0;
    def.TObrazy.push_back(image);
    screen.Images.Add(i);
  }
  AddOnlyPage(def, std::move(screen));
  return def;
}

// Film f.avi listed `times` times on the one screen.
inline Definition FilmListed(int times) {
  Definition def;
  TFil film;
  film.FileName = "f.avi";
  def.TFilmy.push_back(film);
  TEkr screen;
  for (int i = 0; i < times; ++i) screen.Films.Add(0);
  AddOnlyPage(def, std::move(screen));
  return def;
}

// A map of m.bmp at the top left, one region going on, listed `times` times on the one screen.
inline Definition MapListed(int times) {
  Definition def;
  TMap map;
  map.FileName = "m.bmp";
  map.HoverFileName = "m.bmp";
  map.X = map.Y = map.Width = map.Height = 0;
  map.Regions.push_back({});
  map.Regions.back().Action = {kActionNext, 0};
  map.Regions.back().Hint = "dalej";
  def.TMapy.push_back(map);
  TEkr screen;
  for (int i = 0; i < times; ++i) screen.Maps.Add(0);
  AddOnlyPage(def, std::move(screen));
  return def;
}

// The rich texts t0.rtf, t1.rtf, ... on the one screen, each at `x`, `y`, `w`, `h` (percent of the
// window), shown at once.
inline Definition TextsShown(int texts, int32_t x, int32_t y, int32_t w, int32_t h) {
  Definition def;
  TEkr screen;
  for (int i = 0; i < texts; ++i) {
    TTek text;
    text.FileName = "t";
    text.FileName += std::to_string(i);
    text.FileName += ".rtf";
    text.X = x;
    text.Y = y;
    text.W = w;
    text.H = h;
    def.TTeksty.push_back(text);
    screen.Texts.Add(i);
  }
  AddOnlyPage(def, std::move(screen));
  return def;
}

}  // namespace velmorant::fixtures
