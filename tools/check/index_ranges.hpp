#pragma once

#include "check/finding.hpp"
#include "definition/definition.hpp"

namespace velmorant::check {

// Indexes that point outside their tables (the player skips them), play-sequence entries without
// a valid screen, and actions that lead nowhere.
void CheckIndexes(const Definition& definition, Findings& findings);

// Whether the player can make entry `page` current: it exists and names a screen in the table.
bool IsShowablePage(const Definition& definition, int64_t page);

}  // namespace velmorant::check
