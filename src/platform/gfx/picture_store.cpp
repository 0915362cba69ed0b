#include "platform/gfx/picture_store.hpp"

#include <system_error>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant::platform {

namespace {

DecodeResult<std::string> RealPath(const std::filesystem::path& file) {
  std::error_code ec;
  auto real = std::filesystem::canonical(file, ec);
  if (ec) return DecodeError{ec.message()};
  return real.string();
}

std::string Mebibytes(uint64_t bytes) {
  return std::to_string((bytes + (uint64_t{1} << 20) - 1) >> 20) + " MiB";
}

}  // namespace

DecodeResult<PictureStore::Picture> PictureStore::Load(const std::filesystem::path& file) {
  auto key = RealPath(file);
  if (!key) return DecodeError{key.error()};
  return Find(*key, *key, nullptr);
}

DecodeResult<PictureStore::Picture> PictureStore::LoadMasked(const std::filesystem::path& file,
                                                             const std::filesystem::path& mask_file,
                                                             const MaskPreparation& prepare) {
  auto real_file = RealPath(file);
  if (!real_file) return DecodeError{real_file.error()};
  auto real_mask = RealPath(mask_file);
  if (!real_mask) return DecodeError{"mask: " + real_mask.error()};
  auto mask = Find(*real_mask, *real_mask, nullptr);
  if (!mask) return DecodeError{"mask: " + mask.error()};
  // Prepared pixels differ from the plain picture's: the pair is the key. A path cannot hold
  // '\0', so the key cannot be mistaken for a plain file's.
  const std::string key = *real_file + '\0' + *real_mask;
  const Bitmap& mask_picture = **mask;
  return Find(key, *real_file, [&](Bitmap& picture) { prepare(picture, mask_picture); });
}

uint64_t PictureStore::HeldBytes() {
  uint64_t held = 0;
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->second.picture.expired()) {
      it = entries_.erase(it);
    } else {
      held += it->second.bytes;
      ++it;
    }
  }
  return held;
}

DecodeResult<PictureStore::Picture> PictureStore::Find(
    const std::string& key, const std::filesystem::path& file,
    const std::function<void(Bitmap&)>& prepare) {
  if (auto it = entries_.find(key); it != entries_.end()) {
    if (Picture alive = it->second.picture.lock()) return alive;
  }
  auto bytes = ReadFileBytes(file, kMaxBmpFileBytes);
  if (!bytes) return DecodeError{bytes.error()};
  auto size = ReadBmpSize(*bytes);
  if (!size) return DecodeError{size.error()};
  const uint64_t needed = uint64_t(size->width) * uint64_t(size->height) * sizeof(Pixel);
  const uint64_t held = HeldBytes();
  if (held + needed > budget_) {
    return DecodeError{"picture of " + std::to_string(size->width) + " x " +
                       std::to_string(size->height) + " refused: with the " + Mebibytes(held) +
                       " of pictures shown it would pass their budget of " + Mebibytes(budget_)};
  }
  auto decoded = DecodeBmp(*bytes);
  if (!decoded) return DecodeError{decoded.error()};
  if (prepare) prepare(*decoded);
  Picture picture = std::make_shared<const Bitmap>(std::move(*decoded));
  entries_[key] = Entry{picture, needed};
  return picture;
}

}  // namespace velmorant::platform
