#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmorant {

// What happens when the current page is left.
struct TAkc {
  uint8_t code = 0;
  int32_t argument = 0;
  friend bool operator==(const TAkc&, const TAkc&) = default;
};

// Action codes as the display engine carries them out.
enum ActionCode : uint8_t {
  kActionNone = 0,
  kActionEnd = 1,
  kActionPrevious = 2,
  kActionNext = 3,
  kActionGoTo = 4,
  kActionMoveBy = 5,
  kActionBack = 6,
  kActionAltAssets = 7,
};

// Codes 1 to 6 leave the page; keys and clicks close the window only for them.
inline bool IsLeavingCode(uint8_t code) {
  return code >= 1 && code <= 6;
}

// An ordered list of indexes with its own iteration cursor: one walk over a set at a time.
class TIntWektor {
 public:
  TIntWektor() = default;
  TIntWektor(std::initializer_list<int32_t> items) : items_(items) {}

  int32_t StartIteration() {
    cursor_ = 0;
    return Count();
  }
  bool Next(int32_t& value) {
    if (cursor_ < 0 || size_t(cursor_) >= items_.size()) return false;
    value = items_[size_t(cursor_++)];
    return true;
  }
  void Add(int32_t value) { items_.push_back(value); }
  void RemoveAt(size_t i) {
    if (i < items_.size()) items_.erase(items_.begin() + std::ptrdiff_t(i));
  }
  void Clear() { items_.clear(); }
  void FillSequence(int32_t n) {
    items_.resize(n > 0 ? size_t(n) : 0);
    for (size_t k = 0; k < items_.size(); ++k) items_[k] = int32_t(k);
  }
  int32_t Count() const { return int32_t(items_.size()); }
  bool Empty() const { return items_.empty(); }
  int32_t operator[](size_t i) const { return items_[i]; }
  int32_t Last() const { return items_.back(); }

  const std::vector<int32_t>& Items() const { return items_; }
  std::vector<int32_t>& Items() { return items_; }

  // Equality compares the items only; the cursor is iteration state.
  friend bool operator==(const TIntWektor& a, const TIntWektor& b) { return a.items_ == b.items_; }

 private:
  int32_t cursor_ = 0;
  std::vector<int32_t> items_;
};

}  // namespace velmorant
