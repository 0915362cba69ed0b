#include "platform/text/pdf_writer.hpp"

namespace velmorant::platform {

// No PDF library in this build: printing to a folder writes nothing and says so.
bool WriteRichTextPdf(const RichDocument& /*doc*/, const FontEngine& /*fonts*/,
                      const std::string& /*title*/, const std::filesystem::path& /*path*/,
                      std::string* error) {
  if (error) *error = "this build writes no PDF files";
  return false;
}

}  // namespace velmorant::platform
