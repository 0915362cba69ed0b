#include "platform/film/film_sound.hpp"

namespace velmorant::platform {

// No film decoder in this build: films have no sound.
SharedSamples DecodeFilmSound(const std::string& /*path*/, const SoundFormat& /*format*/,
                              MemoryBudget* /*budget*/, bool* too_large) {
  if (too_large) *too_large = false;
  return ShareSamples({}, {});
}

}  // namespace velmorant::platform
