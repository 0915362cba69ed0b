#include "platform/gfx/dib_file.hpp"

#include "platform/gfx/little_endian.hpp"

namespace velmorant::platform {

namespace {

constexpr size_t kFileHeaderBytes = 14;

void PutU32Le(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::optional<std::vector<uint8_t>> AsBmpFile(std::span<const uint8_t> dib) {
  if (dib.size() < 12) return std::nullopt;
  const uint32_t header = ReadU32Le(dib, 0);
  if (header < 12 || header > dib.size()) return std::nullopt;
  uint64_t colours = 0;
  uint64_t entry = 4;
  if (header == 12) {
    const uint16_t bits = ReadU16Le(dib, 10);
    colours = bits <= 8 ? uint64_t{1} << bits : 0;
    entry = 3;
  } else if (dib.size() >= 36) {
    const uint16_t bits = ReadU16Le(dib, 14);
    const uint32_t compression = ReadU32Le(dib, 16);
    const uint32_t used = ReadU32Le(dib, 32);
    colours = used != 0 ? used : (bits <= 8 ? uint64_t{1} << bits : 0);
    // BITFIELDS masks follow a 40-byte header.
    if (header == 40 && (compression == 3 || compression == 6)) colours += compression == 3 ? 3 : 4;
  }
  const uint64_t offset = kFileHeaderBytes + header + colours * entry;
  if (offset > kFileHeaderBytes + dib.size()) return std::nullopt;
  std::vector<uint8_t> file(kFileHeaderBytes);
  file[0] = 'B';
  file[1] = 'M';
  PutU32Le(file, 2, uint32_t(kFileHeaderBytes + dib.size()));
  PutU32Le(file, 10, uint32_t(offset));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

}  // namespace velmorant::platform
