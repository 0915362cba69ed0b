#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory_budget.hpp"
#include "platform/text/font.hpp"
#include "platform/text/font_catalog.hpp"
#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// Finds fonts through a catalog and opens them with FreeType. One per backend; no global state of
// its own.
// An engine that finds no fonts at all still works: its fonts have no face and draw nothing.
// However many fonts a document names, each font file is opened once, fonts of one file, size
// and style share one face, and the glyphs of all of them are kept within one bound.
class FontEngine {
 public:
  using Options = FontSources;

  FontEngine();
  // The build's catalog (MakeFontCatalog) of these sources.
  explicit FontEngine(const Options& options);
  // Nothing from `catalog` is drawn when it is null or has no fonts.
  explicit FontEngine(std::unique_ptr<FontCatalog> catalog);
  ~FontEngine();
  FontEngine(FontEngine&&) noexcept;
  FontEngine& operator=(FontEngine&&) noexcept;

  bool HasFonts() const;
  Font CreateFont(const FontRequest& wanted) const;

  // The glyphs kept are charged to `memory` from now on; it must outlive the engine's fonts.
  void ChargeGlyphsTo(MemoryBudget& memory);

  // What the fonts made so far hold now.
  struct Held {
    size_t files = 0;  // font files open
    size_t faces = 0;  // sized faces
    uint64_t glyph_bytes = 0;
  };
  Held HeldNow() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace velmorant::platform
