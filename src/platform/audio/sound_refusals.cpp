#include "platform/audio/sound_refusals.hpp"

#include <cstdio>

#include "platform/text/warning_line.hpp"

namespace velmorant::platform {

void SoundRefusals::Note(const std::string& shown_name, const LoadedWave& wave) {
  if (wave.Playable() || !wave.too_large || !warned_.insert(shown_name).second) return;
  std::fputs(WarningLine(shown_name, "not played: " + wave.refusal).c_str(), stderr);
}

}  // namespace velmorant::platform
