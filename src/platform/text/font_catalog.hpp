#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/text/font_match.hpp"

namespace velmorant::platform {

// Where an engine's fonts come from.
struct FontSources {
  bool system_fonts = true;             // the machine's own fonts and font setup
  std::vector<std::string> font_files;  // extra font files (tests use them alone)
};

// A question as a font pattern asks it: families in order of preference, and the style.
struct FontQuery {
  std::vector<std::string> families;
  bool bold = false;
  bool italic = false;
};

struct FontAnswer {
  FontMatch match;
  std::vector<std::string> families;  // every family name the face answers to
};

// The fonts one engine can use, and the nearest face to a query. Implementations differ in how
// they find the faces, never in which face they answer for the same files.
class FontCatalog {
 public:
  virtual ~FontCatalog() = default;

  virtual bool HasFonts() const = 0;
  // Nothing only when there is no face at all.
  virtual std::optional<FontAnswer> Find(const FontQuery& query) const = 0;
  // The family names the faces answer to, as FamilyKey gives them.
  virtual std::set<std::string> InstalledFamilies() const = 0;
};

// The catalog of the build: the system's font setup natively, a listed folder in the browser.
std::unique_ptr<FontCatalog> MakeFontCatalog(const FontSources& sources);

}  // namespace velmorant::platform
