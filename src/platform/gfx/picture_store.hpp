#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// The pixel memory that the pictures held at once may take.
inline constexpr uint64_t kPictureBudgetBytes = uint64_t{1} << 30;

// BMP pictures decoded once and shared. While anyone holds a picture, asking for the same file
// (by its real path, whatever link or spelling led to it) hands out the same one; when the last
// holder lets go it is gone, since the store keeps only weak references. The pictures alive at
// once stay within a budget of pixel memory: a picture that would pass it is refused from its
// header's dimensions, before its pixels are allocated. One thread only.
class PictureStore {
 public:
  using Picture = std::shared_ptr<const Bitmap>;
  // Readies a picture for drawing through its mask; it changes the picture, never the mask.
  using MaskPreparation = std::function<void(Bitmap& picture, const Bitmap& mask)>;

  explicit PictureStore(uint64_t budget_bytes = kPictureBudgetBytes) : budget_(budget_bytes) {}

  // The picture of a BMP file, or why there is none (in words that do not name the file).
  DecodeResult<Picture> Load(const std::filesystem::path& file);
  // The picture of `file` prepared with the mask picture of `mask_file`, shared by everyone who
  // asks for the same pair. The mask is taken from this store: hold it (Load) first and it is
  // decoded once for both.
  DecodeResult<Picture> LoadMasked(const std::filesystem::path& file,
                                   const std::filesystem::path& mask_file,
                                   const MaskPreparation& prepare);

  // The pixel memory of the pictures alive now.
  uint64_t HeldBytes();
  uint64_t Budget() const { return budget_; }

 private:
  struct Entry {
    std::weak_ptr<const Bitmap> picture;
    uint64_t bytes = 0;
  };
  // Finds the live picture under `key`, or decodes `file` (and prepares it) and keeps it there.
  DecodeResult<Picture> Find(const std::string& key, const std::filesystem::path& file,
                             const std::function<void(Bitmap&)>& prepare);

  uint64_t budget_;
  std::map<std::string, Entry> entries_;
};

}  // namespace velmorant::platform
