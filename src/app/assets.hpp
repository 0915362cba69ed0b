#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "app/settings.hpp"
#include "display/asset_source.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/gfx/bitmap.hpp"

namespace velmorant {

class TDisplay;

// Finding and reading the presentation's files for the elements, with the alternate-asset switch
// of the display engine. A file that cannot be read gives nothing and one warning naming it on
// stderr; the page goes on without it.
class Assets final : public AssetSource {
 public:
  Assets(TOgolne& settings, const TDisplay& display, const platform::CodePage& codepage)
      : settings_(settings), display_(display), codepage_(codepage) {}

  std::string PathOf(int32_t kind, const std::string& name) override;
  SharedPicture Picture(int32_t kind, const std::string& name) override;
  std::optional<std::vector<uint8_t>> FileBytes(int32_t kind, const std::string& name) override;
  MaskedPicture PictureWithMask(int32_t kind, const std::string& name,
                                const std::string& mask_of) override;
  void WarmUp(int32_t kind, const std::string& name) override;
  void WarmUpMask(int32_t kind, const std::string& name) override;

  // The mask companion of a picture: its path with "msk" as the last three characters.
  std::string MaskPathOf(int32_t kind, const std::string& name);
  // One line on stderr per file, however often it is asked for.
  void Warn(const std::string& path, const std::string& why);

 private:
  std::optional<platform::Bitmap> LoadBitmapFile(const std::string& path, const std::string& name);

  TOgolne& settings_;
  const TDisplay& display_;
  const platform::CodePage& codepage_;
  std::set<std::string> warned_;
};

}  // namespace velmorant
