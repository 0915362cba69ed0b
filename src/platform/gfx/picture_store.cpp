#include "platform/gfx/picture_store.hpp"

#include <optional>
#include <system_error>
#include <utility>

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

// Zero when the file cannot be read; the load then fails as it would have.
std::pair<std::filesystem::file_time_type, uintmax_t> StampOf(const std::filesystem::path& file) {
  if (file.empty()) return {};
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(file, ec);
  if (ec) return {};
  const auto size = std::filesystem::file_size(file, ec);
  if (ec) return {};
  return {written, size};
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
  return Find(
      key, *real_file, [&](Bitmap& picture) { prepare(picture, mask_picture); }, *real_mask);
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

DecodeResult<PictureStore::Picture> PictureStore::Find(const std::string& key,
                                                       const std::filesystem::path& file,
                                                       const std::function<void(Bitmap&)>& prepare,
                                                       const std::filesystem::path& mask_file) {
  // Asked of the disk only where it is compared or kept: a picture someone holds needs none.
  const auto stamp_now = [&] {
    const auto [written, size] = StampOf(file);
    const auto [mask_written, mask_size] = StampOf(mask_file);
    return FileStamp{written, mask_written, size, mask_size};
  };
  if (auto it = entries_.find(key); it != entries_.end()) {
    Picture alive = it->second.picture.lock();
    // While someone holds a picture everyone shares it, as it was decoded; one that only the
    // store keeps is decoded again when its file changed on disk.
    const bool only_kept = alive && it->second.kept && alive.use_count() == 2;
    if (alive && (!only_kept || it->second.stamp == stamp_now())) {
      Keep(it->second, key, alive);
      return alive;
    }
    Forget(it->second);
    entries_.erase(it);
  }
  const FileStamp stamp = stamp_now();
  if (auto it = refused_.find(key); it != refused_.end()) {
    const bool room_now = it->second.used && budget_.Used() < *it->second.used;
    if (it->second.stamp == stamp && !room_now) return DecodeError{it->second.why};
    refused_.erase(it);
  }
  const auto refuse = [&](std::string why, std::optional<uint64_t> used = std::nullopt) {
    refused_[key] = Refusal{stamp, why, used};
    return DecodeError{std::move(why)};
  };
  auto bytes = ReadFileBytes(file, kMaxBmpFileBytes);
  if (!bytes) return refuse(bytes.error());
  auto header = ReadBmpSize(*bytes);
  if (!header) return refuse(header.error());
  const uint64_t needed = PictureBytes(header->width, header->height);
  const std::string size = std::to_string(header->width) + " x " + std::to_string(header->height);
  if (needed > std::min(kMaxPictureBytes, budget_.Limit())) {
    return refuse("picture of " + size + " refused: larger than the " +
                  Mebibytes(std::min(kMaxPictureBytes, budget_.Limit())) + " one picture may take");
  }
  auto charge = MakeRoom(needed);
  if (!charge) {
    const uint64_t used = budget_.Used();
    return refuse("picture of " + size + " refused: with the " + Mebibytes(used) +
                      " held it would pass the memory budget of " + Mebibytes(budget_.Limit()),
                  used);
  }
  auto decoded = DecodeBmp(*bytes);
  if (!decoded) return refuse(decoded.error());
  if (prepare) prepare(*decoded);
  Picture picture = ChargedPicture(std::move(*decoded), std::move(*charge));
  Entry& entry = entries_[key] = Entry{picture, needed, stamp, std::nullopt};
  Keep(entry, key, picture);
  return picture;
}

void PictureStore::Keep(Entry& entry, const std::string& key, const Picture& picture) {
  Forget(entry);
  if (entry.bytes > keep_bytes_) return;
  kept_.push_front(Kept{key, picture, entry.bytes});
  entry.kept = kept_.begin();
  kept_total_ += entry.bytes;
  while (kept_total_ > keep_bytes_) DropOldestKept();
}

void PictureStore::Forget(Entry& entry) {
  if (!entry.kept) return;
  kept_total_ -= (*entry.kept)->bytes;
  kept_.erase(*entry.kept);
  entry.kept.reset();
}

void PictureStore::DropOldestKept() {
  const Kept& oldest = kept_.back();
  kept_total_ -= oldest.bytes;
  if (auto it = entries_.find(oldest.key); it != entries_.end()) it->second.kept.reset();
  kept_.pop_back();
}

std::optional<MemoryBudget::Charge> PictureStore::MakeRoom(uint64_t needed) {
  auto charge = budget_.Reserve(needed);
  while (!charge && !kept_.empty()) {
    DropOldestKept();
    charge = budget_.Reserve(needed);
  }
  return charge;
}

}  // namespace velmorant::platform
