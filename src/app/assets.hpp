#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "app/settings.hpp"
#include "platform/gfx/bitmap.hpp"

namespace velmorant {

class Player;

// Finding and reading the presentation's files for the elements. A file that cannot be read gives
// nothing and one warning naming it on stderr; the page goes on without it.
class Assets {
 public:
  explicit Assets(Player& player) : player_(player) {}

  // The file an element names, with the alternate-asset preference in force; empty when the
  // name may not be used (it would leave the presentation folder).
  std::string PathOf(int32_t kind, const std::string& name);
  // The mask companion of a picture: its path with "msk" as the last three characters.
  std::string MaskPathOf(int32_t kind, const std::string& name);

  std::optional<platform::Bitmap> LoadPicture(int32_t kind, const std::string& name);
  std::optional<platform::Bitmap> LoadMask(int32_t kind, const std::string& name);
  void WarmUp(int32_t kind, const std::string& name);
  void WarmUpMask(int32_t kind, const std::string& name);

  // One line on stderr per file, however often it is asked for.
  void Warn(const std::string& path, const std::string& why);

 private:
  std::optional<platform::Bitmap> LoadBitmapFile(const std::string& path, const std::string& name);

  Player& player_;
  std::set<std::string> warned_;
};

}  // namespace velmorant
