#pragma once

// The families a query stands for once the system font setup's default rules have added their
// aliases, as far as they name the bundled families (DejaVu, Liberation) and the generic names.

#include <string>
#include <vector>

namespace velmorant::platform {

struct FamilyPreference {
  std::string key;      // FamilyKey of the family
  bool strong = false;  // strong ones outrank every weak one, whatever their order
};

// In order of preference: each family asked for, its metric-compatible stand-ins, the generic
// families behind them, and before each generic family the face the default setup prefers for it.
std::vector<FamilyPreference> ExpandFamilies(const std::vector<std::string>& families);

}  // namespace velmorant::platform
