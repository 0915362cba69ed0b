#pragma once

#include "platform/loop/event_log.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/recording_printer.hpp"
#include "platform/web/web_print_dialog.hpp"

namespace velmorant::platform {

// Prints through the browser's print dialog: the document laid out on A4 as the desktop prints
// it, each sheet a picture drawn by the player's own text drawing, charged to `memory` while it
// is drawn. Logged as a "print" event first, as every printer is.
class WebPrinter final : public RecordingPrinter {
 public:
  WebPrinter(EventLog& log, const FontEngine& fonts, WebPrintDialog& dialog, MemoryBudget& memory)
      : RecordingPrinter(log, fonts), dialog_(dialog), memory_(memory) {}

  // A longer document prints its first sheets, with a warning.
  static constexpr size_t kMaxSheets = 300;

 protected:
  bool Deliver(const std::string& title, const RichDocument& document) override;

 private:
  WebPrintDialog& dialog_;
  MemoryBudget& memory_;
};

}  // namespace velmorant::platform
