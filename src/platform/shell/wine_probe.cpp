#include "platform/shell/wine_probe.hpp"

#include <unistd.h>

#include "platform/fs/file_head.hpp"

namespace velmorant::platform {

namespace {

bool IsExecutableFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::filesystem::path> FindOnPath(std::string_view search_path,
                                                std::string_view name) {
  size_t start = 0;
  while (start <= search_path.size()) {
    size_t end = search_path.find(':', start);
    if (end == std::string_view::npos) end = search_path.size();
    const std::string_view dir = search_path.substr(start, end - start);
    if (!dir.empty()) {
      std::filesystem::path candidate = std::filesystem::path(dir) / name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> FindUsableWine(std::string_view search_path,
                                                    const std::filesystem::path& wine32_loader) {
  auto wine = FindOnPath(search_path, "wine");
  if (!wine) return std::nullopt;
  const std::string head = ReadFileHead(wine->string(), 4096);
  if (head.rfind("#!", 0) != 0) return wine;
  const bool picks_loader = head.find(wine32_loader.string()) != std::string::npos;
  if (picks_loader && !IsExecutableFile(wine32_loader)) return std::nullopt;
  return wine;
}

}  // namespace velmorant::platform
