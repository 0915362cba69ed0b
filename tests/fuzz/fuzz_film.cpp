// Films of arbitrary bytes, probed and played through as the player does: never a crash, a hang or
// an over-read; every picture comes at the size asked for with its spare byte clear, every block of
// sound in whole frames within the bound of one block.

#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz/support/scratch_file.hpp"
#include "platform/film/film_decoder.hpp"

namespace {

// Enough items to reach past the headers into the streams of a small input.
constexpr int kItems = 64;
constexpr velmorant::platform::Size kShown{32, 24};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmorant::platform;
  static const velmorant::fuzzing::ScratchFile scratch(".avi");
  const std::string path = scratch.Holding(data, size);
  if (path.empty()) return 0;
  const SoundFormat format{44100, 2};
  auto film = FilmDecoder::Open(path, format);
  if (!film) return 0;
  if (film->DurationMs() < 0) __builtin_trap();
  film->SetPictureSize(kShown);
  constexpr size_t kMaxBlock = size_t{FilmDecoder::kMaxSoundBlockSeconds} * 44100 * 2;
  for (int i = 0; i < kItems; ++i) {
    auto item = film->Next();
    if (!item) break;
    if (auto* picture = std::get_if<FilmPicture>(&*item)) {
      // Empty where the converter takes no such pixel format.
      const Bitmap& b = picture->picture;
      if (!b.IsEmpty() && b.GetSize() != kShown) __builtin_trap();
      for (int32_t y = 0; y < b.Height(); ++y) {
        for (Pixel p : b.Row(y)) {
          if (p > 0xFFFFFFu) __builtin_trap();
        }
      }
    } else {
      const auto& sound = std::get<FilmSamples>(*item);
      if (sound.samples.size() % 2 != 0 || sound.samples.size() > kMaxBlock) __builtin_trap();
    }
  }
  return 0;
}
