#pragma once

// The glyphs of every face of one font engine, kept within one byte bound (internal to text/).

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <utility>

#include "platform/memory_budget.hpp"
#include "platform/text/glyph.hpp"

namespace velmorant::platform {

// The glyphs all faces of an engine keep together, whatever their number and sizes.
inline constexpr uint64_t kGlyphCacheBytes = uint64_t{16} << 20;

// Glyphs rendered once and kept for their face, the least recently used going first when the
// bound or the memory budget is reached. A glyph that cannot be kept is still drawn, only not
// kept. Faces are told apart by the owner number each gets here.
class GlyphCache {
 public:
  explicit GlyphCache(uint64_t max_bytes = kGlyphCacheBytes) : max_bytes_(max_bytes) {}
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  // Kept glyphs are charged to `memory` from now on (nullptr: to the bound alone).
  void ChargeTo(MemoryBudget* memory) { memory_ = memory; }
  uint64_t NewOwner() { return next_owner_++; }

  std::shared_ptr<const Glyph> Find(uint64_t owner, char32_t c);
  void Keep(uint64_t owner, char32_t c, std::shared_ptr<const Glyph> glyph);
  // A face that goes takes its glyphs with it.
  void Forget(uint64_t owner);

  uint64_t Bytes() const { return bytes_; }
  size_t Count() const { return entries_.size(); }

  // What a kept glyph counts: its ink and the bookkeeping around it.
  static uint64_t CostOf(const Glyph& glyph) { return glyph.ink.size() + kEntryOverhead; }

 private:
  static constexpr uint64_t kEntryOverhead = 96;
  using Key = std::pair<uint64_t, char32_t>;
  struct Entry {
    std::shared_ptr<const Glyph> glyph;
    uint64_t bytes = 0;
    MemoryBudget::Charge charge;
    std::list<Key>::iterator used;
  };
  void DropOldest();

  uint64_t max_bytes_;
  MemoryBudget* memory_ = nullptr;
  uint64_t next_owner_ = 1;
  uint64_t bytes_ = 0;
  std::map<Key, Entry> entries_;
  std::list<Key> recent_;  // most recently used first
};

}  // namespace velmorant::platform
