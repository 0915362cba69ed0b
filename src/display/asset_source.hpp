#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"

namespace velmorant {

// Asset kinds with which elements ask for paths.
enum AssetKind : int {
  kAssetBackgrounds = 19,
  kAssetImages = 20,
  kAssetCaptions = 21,
  kAssetTexts = 22,
  kAssetSounds = 23,
  kAssetFilms = 24,
  kAssetAnimationFrames = 25,
  kAssetLinks = 26,
  kAssetAsGiven = 27,
  kAssetDocumentsAlt = 28,
  kAssetDocuments = 29,
  kAssetProcesses = 30,
  kAssetButtons = 31,
};

using SharedPicture = std::shared_ptr<const platform::Bitmap>;

// A picture together with the mask it was prepared with: black where the mask is transparent,
// so that a masked copy shows it through the mask. Without a mask the picture is as decoded.
struct MaskedPicture {
  SharedPicture picture;
  SharedPicture mask;
};

// The presentation's files as the element kinds see them. Names are the definition's own (code
// page bytes, '\' separated); the alternate-asset preference is applied here. A file that cannot
// be used gives nothing, and one warning naming it; the page goes on without it.
class AssetSource {
 public:
  virtual ~AssetSource() = default;

  // The file of a name; empty when the name may not be used (it would leave the folder).
  virtual std::string PathOf(int32_t kind, const std::string& name) = 0;
  // The folder of a kind, without a trailing '/'; empty for an unknown kind.
  virtual std::string FolderOf(int32_t kind) = 0;
  // The folder that holds the presentation, ending in '/'.
  virtual std::string PresentationFolder() const = 0;
  // The file or folder of a UTF-8 path relative to the presentation folder ('/' separated),
  // matched as asset names are; empty when it would leave the folder.
  virtual std::string PathInside(const std::string& /*relative*/) { return {}; }
  virtual SharedPicture Picture(int32_t kind, const std::string& name) = 0;
  // The whole content of a file (texts, captions), or nothing.
  virtual std::optional<std::vector<uint8_t>> FileBytes(int32_t kind, const std::string& name) = 0;
  // At most the first `max_bytes` of a file, or nothing; a longer file is cut with one warning.
  virtual std::optional<std::vector<uint8_t>> FileStart(int32_t kind, const std::string& name,
                                                        uint64_t max_bytes) {
    auto bytes = FileBytes(kind, name);
    if (bytes && bytes->size() > max_bytes) bytes->resize(max_bytes);
    return bytes;
  }
  // One warning about a file the page goes on without (a refusal of the memory budget, say).
  virtual void Warn(int32_t /*kind*/, const std::string& /*name*/, const std::string& /*why*/) {}
  // The picture of `name` prepared with the mask companion of `mask_of` (the picture name whose
  // last three characters become "msk"); without a loadable mask, the plain picture.
  virtual MaskedPicture PictureWithMask(int32_t kind, const std::string& name,
                                        const std::string& mask_of) = 0;
  // Brings a file, or the mask companion of a picture, into the system's cache.
  virtual void WarmUp(int32_t kind, const std::string& name) = 0;
  virtual void WarmUpMask(int32_t kind, const std::string& name) = 0;
};

// The picture of `name`, prepared with its own mask companion when `masked`.
inline MaskedPicture LoadPicture(AssetSource& assets, int32_t kind, const std::string& name,
                                 bool masked) {
  if (masked) return assets.PictureWithMask(kind, name, name);
  return {assets.Picture(kind, name), nullptr};
}

// Brings a picture file, and its mask companion when `masked`, into the system's cache.
inline void WarmUpPicture(AssetSource& assets, int32_t kind, const std::string& name, bool masked) {
  assets.WarmUp(kind, name);
  if (masked) assets.WarmUpMask(kind, name);
}

}  // namespace velmorant
