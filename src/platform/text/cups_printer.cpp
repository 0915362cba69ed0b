#include "platform/text/cups_printer.hpp"

#include <cups/cups.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "platform/text/pdf_writer.hpp"

namespace velmorant::platform {

namespace {

// A file in the temporary folder that is removed with this object.
class TemporaryPdf {
 public:
  TemporaryPdf() {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "velmorant-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    close(fd);
    path_ = pattern;
  }
  ~TemporaryPdf() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove(path_, ec);
  }
  TemporaryPdf(const TemporaryPdf&) = delete;
  TemporaryPdf& operator=(const TemporaryPdf&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void Warn(const std::string& text) {
  std::cerr << "velmorant: print: " << text << '\n';
}

}  // namespace

std::optional<std::string> DefaultPrintDestination() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  cups_dest_t* chosen = cupsGetDest(nullptr, nullptr, count, dests);
  std::optional<std::string> name;
  if (chosen && chosen->name) name = chosen->name;
  cupsFreeDests(count, dests);
  return name;
}

bool CupsPrinter::Deliver(const std::string& title, const RichDocument& document) {
  const std::optional<std::string> destination = DefaultPrintDestination();
  if (!destination) {
    Warn("no printer is set up (no default CUPS destination); \"" + title + "\" was not printed");
    return false;
  }
  TemporaryPdf pdf;
  std::string error;
  if (pdf.Path().empty() || !WriteRichTextPdf(document, Fonts(), title, pdf.Path(), &error)) {
    Warn("cannot lay out \"" + title + "\" for printing: " + error);
    return false;
  }
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination->c_str(), pdf.Path().c_str(),
                                 title.c_str(), 0, nullptr);
  if (job == 0) {
    Warn("the printer " + *destination + " refused \"" + title + "\": " + cupsLastErrorString());
    return false;
  }
  return true;
}

}  // namespace velmorant::platform
