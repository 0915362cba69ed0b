#pragma once

#include <string>
#include <vector>

#include "platform/text/font_catalog.hpp"
#include "platform/text/listed_face.hpp"

namespace velmorant::platform {

// The faces of a list of font files, answered as the system font setup answers for the same
// files under its default rules: the family first (with the default aliases), then the nearest
// slant, weight and width, the first file listed on a tie. Exact for the DejaVu and Liberation
// faces the browser build carries, in a locale all of them cover.
class ListedFontCatalog final : public FontCatalog {
 public:
  // Files that cannot be read as fonts are left out.
  explicit ListedFontCatalog(const std::vector<std::string>& files);
  // The .ttf, .otf and .ttc files of `folder` (not its subfolders), by name.
  static ListedFontCatalog FromFolder(const std::string& folder);
  static std::vector<std::string> FontFilesIn(const std::string& folder);

  bool HasFonts() const override { return !faces_.empty(); }
  std::optional<FontAnswer> Find(const FontQuery& query) const override;
  std::set<std::string> InstalledFamilies() const override;

  const std::vector<ListedFace>& Faces() const { return faces_; }

 private:
  std::vector<ListedFace> faces_;
};

}  // namespace velmorant::platform
