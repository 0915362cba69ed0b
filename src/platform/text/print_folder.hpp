#pragma once

#include <filesystem>
#include <string>

namespace velmorant::platform {

// The file a document printed into `folder` goes to: its base name (no folders, no extension)
// with ".pdf", numbered "-2", "-3", ... when that name is taken. A name with nothing usable in it
// becomes "document".
std::filesystem::path NextPrintFile(const std::filesystem::path& folder,
                                    const std::string& document_name);

}  // namespace velmorant::platform
