#pragma once

#include "platform/text/font_catalog.hpp"
#include "platform/text/fontconfig_handles.hpp"

namespace velmorant::platform {

// The faces fontconfig knows: the machine's setup, or only the given files under the default
// configuration's rules (aliases of the generic and the metric-compatible names among them).
class FontconfigCatalog final : public FontCatalog {
 public:
  explicit FontconfigCatalog(const FontSources& sources);

  bool HasFonts() const override;
  std::optional<FontAnswer> Find(const FontQuery& query) const override;
  std::set<std::string> InstalledFamilies() const override;

 private:
  FcConfigPtr config_;
};

}  // namespace velmorant::platform
