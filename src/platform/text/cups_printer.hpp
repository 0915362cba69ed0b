#pragma once

#include <optional>
#include <string>

#include "platform/text/recording_printer.hpp"

namespace velmorant::platform {

// Prints through CUPS: the document laid out on A4 as a PDF, sent to the default destination
// under its title. Without a destination nothing is printed and a warning on stderr says why.
// Every document is logged as a "print" event first; given a folder (--print-to) it goes there
// as a PDF instead.
class CupsPrinter final : public RecordingPrinter {
 public:
  using RecordingPrinter::RecordingPrinter;

 protected:
  bool Deliver(const std::string& title, const RichDocument& document) override;
};

// The name of the default CUPS destination; nothing when there is none (or no CUPS at all).
std::optional<std::string> DefaultPrintDestination();

}  // namespace velmorant::platform
