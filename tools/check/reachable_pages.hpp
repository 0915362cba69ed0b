#pragma once

#include <vector>

#include "check/finding.hpp"
#include "definition/definition.hpp"

namespace velmorant::check {

// The entries of the play sequence a viewer can reach from the first one shown: through map
// regions, keys, phrases of texts, auto-advance and films that end. `films_play` says per film
// whether its file plays at all.
std::vector<bool> ReachablePages(const Definition& definition, const std::vector<bool>& films_play);

// A warning for every entry with a valid screen that cannot be reached.
void CheckReachable(const Definition& definition, const std::vector<bool>& films_play,
                    Findings& findings);

}  // namespace velmorant::check
