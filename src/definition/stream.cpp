#include "definition/stream.hpp"

#include <algorithm>
#include <limits>

namespace velmorant {

bool Reader::Take(size_t count, const uint8_t*& bytes) {
  if (count > Remaining()) {
    problem_ = "the file ends inside this field (" + std::to_string(count) + " bytes needed, " +
               std::to_string(Remaining()) + " left)";
    return false;
  }
  bytes = data_.data() + offset_;
  offset_ += count;
  return true;
}

bool Reader::Byte(uint8_t& value) {
  const uint8_t* p = nullptr;
  if (!Take(1, p)) return false;
  value = p[0];
  return true;
}

bool Reader::U32(uint32_t& value) {
  const uint8_t* p = nullptr;
  if (!Take(4, p)) return false;
  value = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  return true;
}

bool Reader::I32(int32_t& value) {
  uint32_t raw = 0;
  if (!U32(raw)) return false;
  value = static_cast<int32_t>(raw);
  return true;
}

bool Reader::String(std::string& value) {
  uint8_t length = 0;
  const uint8_t* p = nullptr;
  if (!Byte(length) || !Take(length, p)) return false;
  const uint8_t* end = std::find(p, p + length, uint8_t{0});
  value.assign(reinterpret_cast<const char*>(p), size_t(end - p));
  return true;
}

bool Reader::IndexSet(TIntWektor& value) {
  uint32_t count = 0;
  if (!U32(count)) return false;
  if (count > Remaining() / 4) {
    problem_ = "an index set of " + std::to_string(count) + " items cannot fit in the " +
               std::to_string(Remaining()) + " bytes left";
    return false;
  }
  auto& items = value.Items();
  items.resize(count);
  for (auto& item : items) I32(item);
  return true;
}

bool Reader::Action(TAkc& value) {
  return Byte(value.code) && I32(value.argument);
}

void Writer::U32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(uint8_t(value >> shift));
}

bool Writer::String(std::string_view value) {
  if (value.size() > kMaxStringLength) return false;
  bytes_.push_back(uint8_t(value.size()));
  bytes_.insert(bytes_.end(), value.begin(), value.end());
  return true;
}

bool Writer::IndexSet(const TIntWektor& value) {
  const auto& items = value.Items();
  if (items.size() > std::numeric_limits<uint32_t>::max()) return false;
  U32(uint32_t(items.size()));
  for (int32_t item : items) I32(item);
  return true;
}

void Writer::Action(const TAkc& value) {
  Byte(value.code);
  I32(value.argument);
}

}  // namespace velmorant
