#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmorant {

// Why a definition did not load, and where.
struct LoadError {
  std::string what;
  std::string table;    // "header", a manager's name ("TMapy"), or empty before the header
  int64_t record = -1;  // record index inside that table, -1 when not inside a record
  std::string field;    // path inside the record, e.g. "Regions[2].Hint"
  size_t offset = 0;    // byte offset in the file where the failing item starts

  std::string Message() const;
};

}  // namespace velmorant
