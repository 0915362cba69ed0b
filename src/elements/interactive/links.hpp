#pragma once

#include "definition/records_interactive.hpp"
#include "elements/interactive/launching_kind.hpp"

namespace velmorant {

// Links: a file of the links folder, or a target (a web address, or a file or folder inside the
// presentation), handed to the desktop to be opened outside the player. A link never starts a
// program.
class TLinki final : public LaunchingTable<TLin, &Definition::TLinki> {
 public:
  explicit TLinki(ElementHost& host) : LaunchingTable(host) {}

 protected:
  Buttons ButtonsOf(int32_t index) const override;
  std::optional<Opening> OpeningOf(int32_t index) override;
  void PreloadFile(int32_t index) override;
};

}  // namespace velmorant
