// Prints what a film's first pictures and their sound, or a wave file's samples, decode to, as
// hashes, one line each. The browser tests run this same program in the page and compare its
// lines with the native ones: any difference between the two decoders shows.
//   media_hashes film FILE PICTURES [WIDTHxHEIGHT]   (default: the film's own size)
//   media_hashes wave FILE

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "platform/audio/wave_file.hpp"
#include "platform/film/film_decoder.hpp"

namespace {

using namespace velmorant::platform;

class Fnv1a {
 public:
  template <class T>
  void Add(std::span<const T> values) {
    for (const auto byte : std::as_bytes(values)) {
      hash_ = (hash_ ^ uint64_t(byte)) * 0x100000001b3u;
    }
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325u;
};

uint64_t HashOf(const Bitmap& picture) {
  Fnv1a hash;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    const Pixel* row = picture.Data() + size_t(y) * size_t(picture.Pitch());
    hash.Add(std::span<const Pixel>(row, size_t(picture.Width())));
  }
  return hash.Value();
}

uint64_t HashOf(const std::vector<int16_t>& samples) {
  Fnv1a hash;
  hash.Add(std::span<const int16_t>(samples));
  return hash.Value();
}

int Film(const std::string& path, long pictures, const char* size_text) {
  auto decoder = FilmDecoder::Open(path, SoundFormat{});
  if (!decoder) {
    std::printf("refused\n");
    return 0;
  }
  Size size = decoder->NativeSize();
  if (size_text && std::sscanf(size_text, "%dx%d", &size.width, &size.height) != 2) {
    std::fprintf(stderr, "media_hashes: '%s' is not WIDTHxHEIGHT\n", size_text);
    return 2;
  }
  decoder->SetPictureSize(size);
  std::printf("film %dx%d %" PRId64 " ms\n", decoder->NativeSize().width,
              decoder->NativeSize().height, decoder->DurationMs());
  for (long shown = 0; shown < pictures;) {
    auto item = decoder->Next();
    if (!item) break;
    if (const auto* picture = std::get_if<FilmPicture>(&*item)) {
      std::printf("picture %" PRId64 " %dx%d %016" PRIx64 "\n", picture->start_ms,
                  picture->picture.Width(), picture->picture.Height(), HashOf(picture->picture));
      ++shown;
    } else {
      const auto& sound = std::get<FilmSamples>(*item);
      std::printf("sound %" PRId64 " %zu %016" PRIx64 "\n", sound.start_ms, sound.samples.size(),
                  HashOf(sound.samples));
    }
  }
  return 0;
}

int Wave(const std::string& path) {
  const LoadedWave wave = LoadWave(path, SoundFormat{});
  if (!wave.Playable()) {
    std::printf("refused: %s\n", wave.refusal.c_str());
  } else {
    std::printf("wave %zu %016" PRIx64 "\n", wave.samples.size(), HashOf(wave.samples));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc > 2 ? argv[1] : "";
  if (kind == "film" && (argc == 4 || argc == 5)) {
    return Film(argv[2], std::strtol(argv[3], nullptr, 10), argc == 5 ? argv[4] : nullptr);
  }
  if (kind == "wave" && argc == 3) return Wave(argv[2]);
  std::fprintf(stderr,
               "usage: media_hashes film FILE PICTURES [WIDTHxHEIGHT]\n"
               "       media_hashes wave FILE\n");
  return 2;
}
