#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmorant::platform {

// Debian's wine is a script that runs 32-bit programs only when the 32-bit loader of wine32:i386
// is installed here; without it, it falls back to the 64-bit loader.
inline constexpr std::string_view kDebianWine32Loader = "/usr/lib/wine/wine";

// The wine on `search_path` (a PATH value) that can run 32-bit Windows programs, or nothing: a
// loader binary always can; a wrapper script that picks `wine32_loader` can when that is there.
std::optional<std::filesystem::path> FindUsableWine(std::string_view search_path,
                                                    const std::filesystem::path& wine32_loader);

}  // namespace velmorant::platform
