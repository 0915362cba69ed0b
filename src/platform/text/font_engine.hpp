#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/text/font.hpp"
#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// Finds and opens fonts (FreeType with fontconfig). One per backend; no global state of its own.
// An engine that finds no fonts at all still works: its fonts have no face and draw nothing.
class FontEngine {
 public:
  struct Options {
    bool system_fonts = true;             // the machine's fontconfig setup
    std::vector<std::string> font_files;  // extra font files (tests use them alone)
  };

  FontEngine();
  explicit FontEngine(const Options& options);
  ~FontEngine();
  FontEngine(FontEngine&&) noexcept;
  FontEngine& operator=(FontEngine&&) noexcept;

  bool HasFonts() const;
  Font CreateFont(const FontRequest& wanted) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace velmorant::platform
