#pragma once

#include <filesystem>
#include <optional>

#include "platform/loop/event_log.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/printer.hpp"

namespace velmorant::platform {

// Prints on no printer: every document becomes a "print" event of the log and, given a folder
// (--print-to), a PDF file in it. Printers for real devices build on it: they get the documents
// that no folder takes.
class RecordingPrinter : public Printer {
 public:
  RecordingPrinter(EventLog& log, const FontEngine& fonts,
                   std::optional<std::filesystem::path> folder = std::nullopt)
      : log_(log), fonts_(fonts), folder_(std::move(folder)) {}

  bool Print(const std::string& title, const std::string& document_name,
             const RichDocument& document) final;

 protected:
  // Where a document goes without a folder: nowhere here.
  virtual bool Deliver(const std::string& /*title*/, const RichDocument& /*document*/) {
    return true;
  }
  const FontEngine& Fonts() const { return fonts_; }

 private:
  EventLog& log_;
  const FontEngine& fonts_;
  std::optional<std::filesystem::path> folder_;
};

// Writes the document as a PDF into `folder` (see NextPrintFile); false, with a warning on
// stderr, when that fails.
bool PrintToFolder(const std::filesystem::path& folder, const std::string& title,
                   const std::string& document_name, const RichDocument& document,
                   const FontEngine& fonts);

}  // namespace velmorant::platform
