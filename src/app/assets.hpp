#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "app/settings.hpp"
#include "display/asset_source.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/picture_store.hpp"

namespace velmorant {

// Finding and reading the presentation's files for the elements, with the alternate-asset switch
// of the display engine. Each picture file is decoded once and shared while anything shows it,
// within one budget of pixel memory. A file that cannot be read gives nothing and one warning
// naming it on stderr; the page goes on without it.
class Assets final : public AssetSource {
 public:
  // `alt_assets` is the display engine's alternate-asset switch, read at every request.
  // Pictures are charged against `memory`, the player's budget of decoded memory.
  Assets(TOgolne& settings, const bool& alt_assets, const platform::CodePage& codepage,
         platform::MemoryBudget& memory)
      : settings_(settings),
        alt_assets_(alt_assets),
        codepage_(codepage),
        pictures_(memory, platform::kKeptPictureBytes) {}

  std::string PathOf(int32_t kind, const std::string& name) override;
  std::string FolderOf(int32_t kind) override { return settings_.AssetFolder(kind); }
  std::string PresentationFolder() const override { return settings_.ExeFolder; }
  std::string PathInside(const std::string& relative) override {
    return settings_.PathInside(relative);
  }
  SharedPicture Picture(int32_t kind, const std::string& name) override;
  std::optional<std::vector<uint8_t>> FileBytes(int32_t kind, const std::string& name) override;
  std::optional<std::vector<uint8_t>> FileStart(int32_t kind, const std::string& name,
                                                uint64_t max_bytes) override;
  void Warn(int32_t kind, const std::string& name, const std::string& why) override;
  MaskedPicture PictureWithMask(int32_t kind, const std::string& name,
                                const std::string& mask_of) override;
  void WarmUp(int32_t kind, const std::string& name) override;
  void WarmUpMask(int32_t kind, const std::string& name) override;

  // The mask companion of a picture: its path with "msk" as the last three characters.
  std::string MaskPathOf(int32_t kind, const std::string& name);
  // One line on stderr per file, however often it is asked for.
  void Warn(const std::string& path, const std::string& why);

 private:
  // The shared picture of a file; `name` is the definition's, for the warning of a refused one.
  SharedPicture Load(const std::string& path, const std::string& name);

  TOgolne& settings_;
  const bool& alt_assets_;
  const platform::CodePage& codepage_;
  std::set<std::string> warned_;
  platform::PictureStore pictures_;
};

}  // namespace velmorant
