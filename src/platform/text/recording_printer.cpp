#include "platform/text/recording_printer.hpp"

#include <iostream>

#include "platform/text/pdf_writer.hpp"
#include "platform/text/print_folder.hpp"

namespace velmorant::platform {

bool PrintToFolder(const std::filesystem::path& folder, const std::string& title,
                   const std::string& document_name, const RichDocument& document,
                   const FontEngine& fonts) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::filesystem::path path = NextPrintFile(folder, document_name);
  std::string error;
  if (!WriteRichTextPdf(document, fonts, title, path, &error)) {
    std::cerr << "velmorant: cannot print to " << path.string() << ": " << error << '\n';
    return false;
  }
  return true;
}

bool RecordingPrinter::Print(const std::string& title, const std::string& document_name,
                             const RichDocument& document) {
  log_.Write("print", {{"title", title}});
  if (!folder_) return Deliver(title, document);
  return PrintToFolder(*folder_, title, document_name, document, fonts_);
}

}  // namespace velmorant::platform
