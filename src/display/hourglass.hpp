#pragma once

#include <cstdint>

#include "platform/backend.hpp"

namespace velmorant {

// KlepsydrKursor: the hourglass over the whole screen for the life of the object.
class KlepsydrKursor {
 public:
  explicit KlepsydrKursor(platform::Backend& backend)
      : backend_(backend), saved_(backend.ScreenCursor()) {
    backend_.SetScreenCursor(platform::kCrHourGlass);
  }
  KlepsydrKursor(const KlepsydrKursor&) = delete;
  KlepsydrKursor& operator=(const KlepsydrKursor&) = delete;
  ~KlepsydrKursor() { backend_.SetScreenCursor(saved_); }

 private:
  platform::Backend& backend_;
  int16_t saved_;
};

}  // namespace velmorant
