#pragma once

#include "definition/records_interactive.hpp"
#include "elements/interactive/launching_kind.hpp"

namespace velmorant {

// Documents: a file of a sub-folder of the documents folder opened in its default application, or
// that sub-folder opened in the file manager when no file is named.
class TDoki final : public LaunchingTable<TDok, &Definition::TDoki> {
 public:
  explicit TDoki(ElementHost& host) : LaunchingTable(host) {}

 protected:
  Buttons ButtonsOf(int32_t index) const override;
  std::optional<Opening> OpeningOf(int32_t index) override;
};

}  // namespace velmorant
