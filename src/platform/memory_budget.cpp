#include "platform/memory_budget.hpp"

#include <system_error>
#include <utility>

namespace velmorant::platform {

namespace {

// Rounded up, in KiB below a MiB so that small budgets (as tests set them) still read sensibly.
std::string Mebibytes(uint64_t bytes) {
  if (bytes < (uint64_t{1} << 20)) return std::to_string((bytes + 1023) >> 10) + " KiB";
  return std::to_string((bytes + (uint64_t{1} << 20) - 1) >> 20) + " MiB";
}

// Holds a picture and its charge in one allocation: the charge goes with the last holder.
struct HeldPicture {
  Bitmap picture;
  MemoryBudget::Charge charge;
};

std::optional<std::pair<std::filesystem::file_time_type, uintmax_t>> StampOf(
    const std::filesystem::path& file) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(file, ec);
  if (ec) return std::nullopt;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec) return std::nullopt;
  return std::pair{written, size};
}

}  // namespace

MemoryBudget::Charge::Charge(Charge&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

MemoryBudget::Charge& MemoryBudget::Charge::operator=(Charge&& other) noexcept {
  if (this != &other) {
    Release();
    budget_ = std::exchange(other.budget_, nullptr);
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

void MemoryBudget::Charge::Release() {
  if (budget_) budget_->used_.fetch_sub(bytes_, std::memory_order_relaxed);
  budget_ = nullptr;
  bytes_ = 0;
}

std::optional<MemoryBudget::Charge> MemoryBudget::Reserve(uint64_t bytes) {
  const uint64_t limit = Limit();
  uint64_t used = used_.load(std::memory_order_relaxed);
  do {
    if (bytes > limit || used > limit - bytes) return std::nullopt;
  } while (!used_.compare_exchange_weak(used, used + bytes, std::memory_order_relaxed));
  return Charge(this, bytes);
}

std::optional<MemoryBudget::Charge> MemoryBudget::ReservePicture(int64_t width, int64_t height) {
  if (width < 0 || height < 0 || !FitsBitmap(width, height)) return std::nullopt;
  return Reserve(PictureBytes(width, height));
}

std::string MemoryBudget::Refusal(uint64_t bytes) const {
  return "refused: its " + Mebibytes(bytes) + " with the " + Mebibytes(Used()) +
         " held would pass the memory budget of " + Mebibytes(Limit());
}

std::string MemoryBudget::PictureRefusal(int64_t width, int64_t height) const {
  if (width < 0 || height < 0 || !FitsBitmap(width, height)) {
    return "picture of " + std::to_string(width) + " x " + std::to_string(height) +
           " refused: larger than any picture may be";
  }
  return "picture of " + std::to_string(width) + " x " + std::to_string(height) + " " +
         Refusal(PictureBytes(width, height));
}

uint64_t PictureBytes(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0 || !FitsBitmap(width, height)) return 0;
  return uint64_t(width) * uint64_t(height) * sizeof(Pixel);
}

std::shared_ptr<const Bitmap> ChargedPicture(Bitmap picture, MemoryBudget::Charge charge) {
  auto held = std::make_shared<HeldPicture>(HeldPicture{std::move(picture), std::move(charge)});
  return std::shared_ptr<const Bitmap>(held, &held->picture);
}

std::optional<std::string> RefusedInputs::Refused(const std::filesystem::path& file) const {
  const std::lock_guard lock(mutex_);
  const auto it = refused_.find(file.string());
  if (it == refused_.end()) return std::nullopt;
  const auto stamp = StampOf(file);
  if (!stamp || stamp->first != it->second.written || stamp->second != it->second.size) {
    return std::nullopt;
  }
  return it->second.why;
}

void RefusedInputs::Remember(const std::filesystem::path& file, const std::string& why) {
  const auto stamp = StampOf(file);
  if (!stamp) return;
  const std::lock_guard lock(mutex_);
  refused_[file.string()] = Refusal{stamp->first, stamp->second, why};
}

}  // namespace velmorant::platform
