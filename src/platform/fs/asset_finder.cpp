#include "platform/fs/asset_finder.hpp"

#include <algorithm>
#include <system_error>

#include "platform/fs/case_fold.hpp"

namespace velmorant::platform {

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    std::string part(path.substr(start, end - start));
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    start = end + 1;
  }
  return parts;
}

namespace {

bool HasDriveLetter(std::string_view name) {
  return name.size() >= 2 && name[1] == ':' &&
         ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : dir + "/" + name;
}

std::filesystem::path RealPath(const std::filesystem::path& path) {
  std::error_code ec;
  auto real = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  return ec ? std::filesystem::path() : real;
}

bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& folder) {
  if (path.empty() || folder.empty()) return false;
  auto [folder_end, path_at] =
      std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  // weakly_canonical keeps a trailing empty component for "dir/": it is no real component.
  return folder_end == folder.end() ||
         (std::next(folder_end) == folder.end() && folder_end->empty());
}

}  // namespace

std::string DefinitionNameToUtf8(const CodePage& code_page, std::string_view name) {
  std::string utf8 = code_page.ToUtf8(name);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return utf8;
}

AssetFinder::AssetFinder(std::filesystem::path root, CodePage code_page)
    : root_(std::move(root)), real_root_(RealPath(root_)), code_page_(std::move(code_page)) {}

std::optional<std::string> AssetFinder::Resolve(std::string_view definition_name) {
  return ResolveUtf8(DefinitionNameToUtf8(code_page_, definition_name));
}

std::optional<std::string> AssetFinder::ResolveUtf8(std::string_view name) {
  if (!name.empty() && (name.front() == '/' || name.front() == '\\')) return std::nullopt;
  if (HasDriveLetter(name)) return std::nullopt;
  std::string normalised(name);
  std::replace(normalised.begin(), normalised.end(), '\\', '/');
  const auto parts = SplitComponents(normalised);
  if (std::find(parts.begin(), parts.end(), "..") != parts.end()) return std::nullopt;
  std::string resolved;
  bool matching = true;
  for (const auto& part : parts) {
    std::optional<std::string> found;
    if (matching) found = Match(resolved, part);
    matching = found.has_value();
    resolved = Join(resolved, found.value_or(part));
  }
  return resolved;
}

std::string AssetFinder::ResolveAsGiven(std::string_view definition_name) {
  const std::string name = DefinitionNameToUtf8(code_page_, definition_name);
  if (name.empty() || name.front() == '/' || HasDriveLetter(name)) return name;
  std::string resolved;
  bool matching = true;
  for (const auto& part : SplitComponents(name)) {
    std::optional<std::string> found;
    if (matching && part != "..") found = Match(resolved, part);
    matching = found.has_value() || part == "..";
    resolved = Join(resolved, found.value_or(part));
  }
  return resolved;
}

bool AssetFinder::IsRegularFile(std::string_view relative) const {
  std::error_code ec;
  return StaysInside(relative) &&
         std::filesystem::is_regular_file(root_ / std::filesystem::path(relative), ec);
}

bool AssetFinder::StaysInside(std::string_view relative) const {
  return IsWithin(RealPath(root_ / std::filesystem::path(relative)), real_root_);
}

const std::vector<AssetFinder::Entry>& AssetFinder::Listing(const std::string& relative_dir) {
  auto [it, inserted] = listings_.try_emplace(relative_dir);
  if (!inserted) return it->second;
  std::error_code ec;
  auto& entries = it->second;
  // A folder that is a link out of the presentation is not looked into.
  if (!StaysInside(relative_dir)) return entries;
  for (std::filesystem::directory_iterator dir(root_ / relative_dir, ec), end; !ec && dir != end;
       dir.increment(ec)) {
    std::string name = dir->path().filename().string();
    std::string folded = FoldCaseUtf8(name);
    entries.push_back({std::move(name), std::move(folded)});
  }
  // Sorted so that, of several names differing only in case, the choice does not depend on the
  // order the file system lists them in.
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

std::optional<std::string> AssetFinder::Match(const std::string& relative_dir,
                                              const std::string& component) {
  const auto& entries = Listing(relative_dir);
  for (const auto& entry : entries) {
    if (entry.name == component) return entry.name;
  }
  const std::string folded = FoldCaseUtf8(component);
  for (const auto& entry : entries) {
    if (entry.folded == folded) return entry.name;
  }
  return std::nullopt;
}

}  // namespace velmorant::platform
