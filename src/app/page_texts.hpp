#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "definition/definition.hpp"
#include "display/asset_source.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant {

// The words a page shows, in UTF-8: the text of each caption on its screen, then the hints of the
// regions of the maps on it (its own and its elements'), each once, in table order.
std::vector<std::string> PageTexts(const Definition& definition, int32_t page, AssetSource& assets,
                                   const platform::CodePage& codes);

}  // namespace velmorant
