#pragma once

#include "definition/records_interactive.hpp"
#include "elements/interactive/launching_kind.hpp"

namespace velmorant {

// Processes: a program of the processes folder started with a command line in which '#' stands
// for the presentation folder, so that the program can find the presentation's files.
class TProcesy final : public LaunchingTable<TPro, &Definition::TProcesy> {
 public:
  explicit TProcesy(ElementHost& host) : LaunchingTable(host) {}

 protected:
  Buttons ButtonsOf(int32_t index) const override;
  std::optional<Opening> OpeningOf(int32_t index) override;
  void PreloadFile(int32_t index) override;
};

}  // namespace velmorant
