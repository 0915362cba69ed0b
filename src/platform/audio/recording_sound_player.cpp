#include "platform/audio/recording_sound_player.hpp"

#include <filesystem>

namespace velmorant::platform {

bool RecordingSoundPlayer::PlaySound(const std::string& path, uint32_t flags) {
  if (path.empty()) {
    log_.Write("sound", {{"op", "stop"}, {"file", ""}, {"loop", false}, {"result", true}});
    return true;
  }
  std::error_code ec;
  const bool result = std::filesystem::is_regular_file(path, ec);
  log_.Write("sound", {{"op", "play"},
                       {"file", log_.RelativePath(path)},
                       {"loop", (flags & kSndLoop) != 0},
                       {"result", result}});
  return result;
}

}  // namespace velmorant::platform
