// The browser's half of the film figure: the same work as the native BM_FilmDecodeAndDraw (every
// picture of a film decoded, converted at the rectangle's size and drawn onto a window surface),
// compiled to wasm and run in a tab. The page puts the film at /film.avi and reads the line this
// prints. Wall time is the measure: the module has one thread and the tab nothing else to do.

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "platform/film/film_decoder.hpp"
#include "platform/gfx/canvas.hpp"

namespace {

using namespace velmorant;

int Run(const char* path, int repeats) {
  double busy_ms = 0, film_ms = 0;
  int pictures = 0;
  for (int i = 0; i < repeats; ++i) {
    const double start = emscripten_get_now();
    auto decoder = platform::FilmDecoder::Open(path);
    if (!decoder) {
      std::printf("film-bench: %s cannot be played\n", path);
      return 1;
    }
    const platform::Size size = decoder->NativeSize();
    platform::Bitmap surface(size.width, size.height);
    decoder->SetPictureSize(size);
    platform::Canvas canvas(surface);
    while (auto item = decoder->Next()) {
      if (auto* p = std::get_if<platform::FilmPicture>(&*item)) {
        canvas.Draw(0, 0, p->picture);
        ++pictures;
      }
    }
    busy_ms += emscripten_get_now() - start;
    film_ms += double(decoder->DurationMs());
  }
  std::printf("film-bench: pictures=%d busy_ms=%.1f film_ms=%.1f core_share=%.4f\n", pictures,
              busy_ms, film_ms, film_ms > 0 ? busy_ms / film_ms : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "/film.avi";
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  return Run(path, repeats > 0 ? repeats : 1);
}
