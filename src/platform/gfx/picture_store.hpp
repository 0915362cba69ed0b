#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant::platform {

// The largest picture a presentation's file may make (8192 x 4096): several times any screen,
// and small enough that one file cannot take the budget of a whole page.
inline constexpr uint64_t kMaxPictureBytes = uint64_t{128} << 20;
// What a player keeps of the pictures nobody holds any more, so that going back and forth between
// pages does not decode their pictures each time: a few full-screen backgrounds and their images.
inline constexpr uint64_t kKeptPictureBytes = uint64_t{128} << 20;

// BMP pictures decoded once and shared. While anyone holds a picture, asking for the same file
// (by its real path, whatever link or spelling led to it) hands out the same one. When the last
// holder lets go, the store keeps the most recently used pictures up to `keep_bytes` and lets the
// rest go. A file changed on disk since its picture was decoded is decoded again. The pictures
// alive at once are charged against the player's memory budget: kept pictures give way first, and
// a picture that would still pass it is refused from its header's dimensions, before its pixels
// are allocated. A refused file is not decoded again while it is unchanged, unless it was refused
// for want of room and less is held now. One thread only.
class PictureStore {
 public:
  using Picture = std::shared_ptr<const Bitmap>;
  // Readies a picture for drawing through its mask; it changes the picture, never the mask.
  using MaskPreparation = std::function<void(Bitmap& picture, const Bitmap& mask)>;

  PictureStore(MemoryBudget& budget, uint64_t keep_bytes)
      : budget_(budget), keep_bytes_(keep_bytes) {}
  // A store with a budget of its own.
  explicit PictureStore(uint64_t budget_bytes = kMemoryBudgetBytes, uint64_t keep_bytes = 0)
      : own_budget_(std::make_unique<MemoryBudget>(budget_bytes)),
        budget_(*own_budget_),
        keep_bytes_(keep_bytes) {}

  // The picture of a BMP file, or why there is none (in words that do not name the file).
  DecodeResult<Picture> Load(const std::filesystem::path& file);
  // The picture of `file` prepared with the mask picture of `mask_file`, shared by everyone who
  // asks for the same pair. The mask is taken from this store: hold it (Load) first and it is
  // decoded once for both.
  DecodeResult<Picture> LoadMasked(const std::filesystem::path& file,
                                   const std::filesystem::path& mask_file,
                                   const MaskPreparation& prepare);

  // The pixel memory of the pictures alive now, kept ones included.
  uint64_t HeldBytes();
  uint64_t Budget() const { return budget_.Limit(); }

 private:
  // What the files were when a picture was decoded: its own and, for a masked one, its mask's.
  struct FileStamp {
    std::filesystem::file_time_type written{}, mask_written{};
    uintmax_t size = 0, mask_size = 0;
    bool operator==(const FileStamp&) const = default;
  };
  struct Kept {
    std::string key;
    Picture picture;
    uint64_t bytes = 0;
  };
  struct Entry {
    std::weak_ptr<const Bitmap> picture;
    uint64_t bytes = 0;
    FileStamp stamp;
    std::optional<std::list<Kept>::iterator> kept;
  };
  // Finds the live picture under `key`, or decodes `file` (and prepares it) and keeps it there.
  DecodeResult<Picture> Find(const std::string& key, const std::filesystem::path& file,
                             const std::function<void(Bitmap&)>& prepare,
                             const std::filesystem::path& mask_file = {});
  // Puts the entry first among the kept pictures and lets the oldest go beyond `keep_bytes_`.
  void Keep(Entry& entry, const std::string& key, const Picture& picture);
  void Forget(Entry& entry);
  void DropOldestKept();
  // The charge for `needed` more bytes, letting kept pictures go first, oldest first.
  std::optional<MemoryBudget::Charge> MakeRoom(uint64_t needed);
  struct Refusal {
    FileStamp stamp;
    std::string why;
    std::optional<uint64_t> used;  // what the budget held, for a refusal for want of room
  };

  std::unique_ptr<MemoryBudget> own_budget_;
  MemoryBudget& budget_;
  uint64_t keep_bytes_;
  std::map<std::string, Entry> entries_;
  std::map<std::string, Refusal> refused_;
  std::list<Kept> kept_;  // most recently used first
  uint64_t kept_total_ = 0;
};

}  // namespace velmorant::platform
