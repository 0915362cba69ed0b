#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "definition/definition.hpp"
#include "definition/load_error.hpp"

namespace velmorant {

struct LoadResult {
  std::optional<Definition> definition;
  LoadError error;        // meaningful when there is no definition
  size_t end_offset = 0;  // where the last table ended; the bytes after it are ignored
};

// The largest info.med read: real ones are a few kilobytes; a bigger file is refused before it is
// read, so that a device or a huge sparse file named info.med cannot exhaust memory.
inline constexpr uint64_t kMaxDefinitionBytes = uint64_t{256} << 20;

// Reads a whole info.med. `stamp` is the size stamp of the running player (see size_stamp.hpp):
// when it is set, the data must be exactly that many bytes long. Bytes after the last table are
// ignored.
LoadResult LoadDefinition(std::span<const uint8_t> bytes, std::string_view stamp);

struct WriteResult {
  std::vector<uint8_t> bytes;
  std::string error;  // empty on success
};

// Writes `definition` in the given edition, leaving out the fields that edition lacks.
WriteResult WriteDefinition(const Definition& definition, char edition);

}  // namespace velmorant
