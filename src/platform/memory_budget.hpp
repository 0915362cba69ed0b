#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// What everything the player decodes or scales may take at once: pictures of every kind, sounds,
// glyphs and the copies elements make of them. Well under the address space a player gets, so
// that its own code, the libraries and the screens always have room.
inline constexpr uint64_t kMemoryBudgetBytes = uint64_t{512} << 20;

// The one budget of decoded memory, shared by the whole player and charged before anything it
// covers is allocated: what does not fit is refused, never allocated first. Charges may be made
// and released from any thread.
class MemoryBudget {
 public:
  // Bytes taken from the budget until it is destroyed (or moved from).
  class Charge {
   public:
    Charge() = default;
    Charge(Charge&& other) noexcept;
    Charge& operator=(Charge&& other) noexcept;
    Charge(const Charge&) = delete;
    Charge& operator=(const Charge&) = delete;
    ~Charge() { Release(); }

    uint64_t Bytes() const { return bytes_; }
    void Release();

   private:
    friend class MemoryBudget;
    Charge(MemoryBudget* budget, uint64_t bytes) : budget_(budget), bytes_(bytes) {}
    MemoryBudget* budget_ = nullptr;
    uint64_t bytes_ = 0;
  };

  explicit MemoryBudget(uint64_t limit_bytes = kMemoryBudgetBytes) : limit_(limit_bytes) {}
  MemoryBudget(const MemoryBudget&) = delete;
  MemoryBudget& operator=(const MemoryBudget&) = delete;

  // `bytes` taken from the budget, or nothing when they do not fit beside what is held now.
  std::optional<Charge> Reserve(uint64_t bytes);
  // The pixels of a picture of `width` x `height`; nothing for a size no picture may have.
  std::optional<Charge> ReservePicture(int64_t width, int64_t height);
  bool Fits(uint64_t bytes) const { return bytes <= Limit() - std::min(Limit(), Used()); }

  uint64_t Used() const { return used_.load(std::memory_order_relaxed); }
  uint64_t Limit() const { return limit_.load(std::memory_order_relaxed); }
  // Tests lower the budget here to try the refusals on small inputs; what is held stays held.
  void SetLimit(uint64_t limit_bytes) { limit_.store(limit_bytes, std::memory_order_relaxed); }
  // Why `bytes` more were refused, in words for a warning.
  std::string Refusal(uint64_t bytes) const;
  std::string PictureRefusal(int64_t width, int64_t height) const;

 private:
  std::atomic<uint64_t> used_{0};
  std::atomic<uint64_t> limit_;
};

// The bytes of a picture's pixels; zero for a size no picture may have.
uint64_t PictureBytes(int64_t width, int64_t height);

// A picture that holds its charge for as long as anyone holds the picture.
std::shared_ptr<const Bitmap> ChargedPicture(Bitmap picture, MemoryBudget::Charge charge);

// The picture of `width` x `height` that `make` fills, charged first; nothing (and `make` never
// called) when it does not fit.
template <typename Make>
std::shared_ptr<const Bitmap> MakeChargedPicture(MemoryBudget& budget, int64_t width,
                                                 int64_t height, Make&& make) {
  auto charge = budget.ReservePicture(width, height);
  if (!charge) return nullptr;
  return ChargedPicture(make(), std::move(*charge));
}

// Inputs refused once, remembered with the file's size and time of writing so that they are not
// decoded again at every page change or frame tick; a file changed since is tried again.
class RefusedInputs {
 public:
  // Why `file` was refused, if it was and has not changed since.
  std::optional<std::string> Refused(const std::filesystem::path& file) const;
  void Remember(const std::filesystem::path& file, const std::string& why);

 private:
  struct Refusal {
    std::filesystem::file_time_type written{};
    uintmax_t size = 0;
    std::string why;
  };
  mutable std::mutex mutex_;
  std::map<std::string, Refusal> refused_;
};

}  // namespace velmorant::platform
