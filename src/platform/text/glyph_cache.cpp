#include "platform/text/glyph_cache.hpp"

namespace velmorant::platform {

std::shared_ptr<const Glyph> GlyphCache::Find(uint64_t owner, char32_t c) {
  const auto it = entries_.find({owner, c});
  if (it == entries_.end()) return nullptr;
  recent_.splice(recent_.begin(), recent_, it->second.used);
  return it->second.glyph;
}

void GlyphCache::Keep(uint64_t owner, char32_t c, std::shared_ptr<const Glyph> glyph) {
  if (!glyph || entries_.count({owner, c})) return;
  const uint64_t bytes = CostOf(*glyph);
  if (bytes > max_bytes_) return;
  while (!entries_.empty() && bytes_ + bytes > max_bytes_) DropOldest();
  MemoryBudget::Charge charge;
  if (memory_) {
    // What the budget refuses, the oldest glyphs make room for if they can.
    std::optional<MemoryBudget::Charge> taken = memory_->Reserve(bytes);
    while (!taken && !entries_.empty()) {
      DropOldest();
      taken = memory_->Reserve(bytes);
    }
    if (!taken) return;
    charge = std::move(*taken);
  }
  recent_.push_front({owner, c});
  entries_.emplace(Key{owner, c},
                   Entry{std::move(glyph), bytes, std::move(charge), recent_.begin()});
  bytes_ += bytes;
}

void GlyphCache::Forget(uint64_t owner) {
  auto it = entries_.lower_bound({owner, 0});
  while (it != entries_.end() && it->first.first == owner) {
    bytes_ -= it->second.bytes;
    recent_.erase(it->second.used);
    it = entries_.erase(it);
  }
}

void GlyphCache::DropOldest() {
  const auto it = entries_.find(recent_.back());
  recent_.pop_back();
  bytes_ -= it->second.bytes;
  entries_.erase(it);
}

}  // namespace velmorant::platform
