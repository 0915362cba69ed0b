#pragma once

#include "platform/loop/event_log.hpp"
#include "platform/text/printer.hpp"

namespace velmorant::platform {

// Prints nothing: every document becomes a "print" event of the log.
class RecordingPrinter final : public Printer {
 public:
  explicit RecordingPrinter(EventLog& log) : log_(log) {}
  bool Print(const std::string& title, std::span<const uint8_t> /*rtf*/) override {
    log_.Write("print", {{"title", title}});
    return true;
  }

 private:
  EventLog& log_;
};

}  // namespace velmorant::platform
