#pragma once

#include "app/settings.hpp"
#include "check/asset_probe.hpp"
#include "check/finding.hpp"

namespace velmorant::check {

// A note for every file in the asset folders that no record uses, in name order. Files inside a
// documents folder opened as a whole count as used.
void CheckUnusedFiles(TOgolne& settings, const AssetProbe& probe, Findings& findings);

}  // namespace velmorant::check
