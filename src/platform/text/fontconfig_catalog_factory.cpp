#include "platform/text/fontconfig_catalog.hpp"

namespace velmorant::platform {

std::unique_ptr<FontCatalog> MakeFontCatalog(const FontSources& sources) {
  return std::make_unique<FontconfigCatalog>(sources);
}

}  // namespace velmorant::platform
