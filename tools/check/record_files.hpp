#pragma once

#include <vector>

#include "check/asset_probe.hpp"
#include "definition/definition.hpp"

namespace velmorant::check {

// Checks every file the definition names, record by record, in file order. The result says, per
// film, whether its file plays (a film that cannot be opened never ends its page).
std::vector<bool> CheckRecordFiles(const Definition& definition, AssetProbe& probe);

}  // namespace velmorant::check
