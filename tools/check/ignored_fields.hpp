#pragma once

#include <cstddef>

#include "check/finding.hpp"
#include "definition/definition.hpp"

namespace velmorant::check {

// Values the file carries that the player never looks at: kept by older editions, never read, or
// meaningless with the rest of the header; and the bytes of info.med from `end_offset`, where its
// last table ended, to `file_size`.
void CheckIgnoredFields(const Definition& definition, size_t file_size, size_t end_offset,
                        Findings& findings);

}  // namespace velmorant::check
