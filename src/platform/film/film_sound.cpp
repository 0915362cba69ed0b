#include "platform/film/film_sound.hpp"

#include <algorithm>
#include <variant>
#include <vector>

#include "platform/audio/wave_file.hpp"
#include "platform/film/film_decoder.hpp"

namespace velmorant::platform {

namespace {
constexpr int64_t kSoundPastPicturesMs = 10'000;
}  // namespace

SharedSamples DecodeFilmSound(const std::string& path, const SoundFormat& format,
                              MemoryBudget* budget, bool* too_large) {
  if (too_large) *too_large = false;
  std::vector<int16_t> samples;
  MemoryBudget::Charge charge;
  const auto channels = size_t(std::max(format.channels, 1));
  auto decoder = FilmDecoder::Open(path, format);
  if (!decoder || !decoder->HasSound()) return ShareSamples({}, {});
  decoder->SetPictureSize({});
  while (auto item = decoder->Next()) {
    auto* block = std::get_if<FilmSamples>(&*item);
    // Sound far past the pictures' end is a broken timestamp, not a longer film.
    if (!block || block->start_ms > decoder->DurationMs() + kSoundPastPicturesMs) continue;
    // Each block goes where its time says: gaps stay silent, overlaps are overwritten.
    const auto at = size_t(std::max<int64_t>(block->start_ms, 0) * format.rate / 1000) * channels;
    // The sound keeps what fits a sound's bound, as a wave sound would be kept.
    const size_t most = kMaxSoundBytes / sizeof(int16_t);
    const size_t end = at + block->samples.size();
    if (end > most) continue;
    if (samples.capacity() < end) {
      const size_t capacity = std::min(most, std::max(end, 2 * samples.capacity()));
      if (budget) {
        // The old and the new buffer are both held while the one is copied to the other.
        auto grown = budget->Reserve(capacity * sizeof(int16_t));
        if (!grown) {
          if (too_large) *too_large = true;
          return ShareSamples({}, {});
        }
        samples.reserve(capacity);
        charge = std::move(*grown);
      } else {
        samples.reserve(capacity);
      }
    }
    if (samples.size() < end) samples.resize(end);
    std::copy(block->samples.begin(), block->samples.end(), samples.begin() + ptrdiff_t(at));
  }
  return ShareSamples(std::move(samples), std::move(charge));
}

}  // namespace velmorant::platform
