#pragma once

#include <set>
#include <string>

#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

// One warning for each sound refused for its size, however often a page asks for it; missing and
// broken files stay silent, as they always were.
class SoundRefusals {
 public:
  void Note(const std::string& shown_name, const LoadedWave& wave);

 private:
  std::set<std::string> warned_;
};

}  // namespace velmorant::platform
