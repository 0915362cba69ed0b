#include "platform/text/print_folder.hpp"

namespace velmorant::platform {

namespace {

std::string BaseName(const std::string& name) {
  std::string base = name.substr(name.find_last_of("/\\") + 1);
  if (const size_t dot = base.find_last_of('.'); dot != std::string::npos && dot > 0) {
    base.resize(dot);
  }
  if (base.empty() || base == "." || base == "..") return "document";
  return base;
}

}  // namespace

std::filesystem::path NextPrintFile(const std::filesystem::path& folder,
                                    const std::string& document_name) {
  const std::string base = BaseName(document_name);
  std::filesystem::path path = folder / (base + ".pdf");
  std::error_code ec;
  for (int n = 2; std::filesystem::exists(path, ec); ++n) {
    path = folder / (base + "-" + std::to_string(n) + ".pdf");
  }
  return path;
}

}  // namespace velmorant::platform
