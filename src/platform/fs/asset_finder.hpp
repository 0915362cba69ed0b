#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/codepage.hpp"

namespace velmorant::platform {

// The components of a '/' separated path, without empty ones and ".".
std::vector<std::string> SplitComponents(std::string_view path);

// Finds files named by a presentation, written for a case-insensitive Windows file system, inside
// the presentation folder. Results are paths relative to the folder, in UTF-8, with '/'. Symbolic
// links are followed only while they stay inside the folder's real path.
class AssetFinder {
 public:
  AssetFinder(std::filesystem::path root, CodePage code_page);

  const std::filesystem::path& Root() const { return root_; }
  const CodePage& Codes() const { return code_page_; }

  // A name from the definition (code-page bytes, '\' or '/' separated). Each component is matched
  // case-insensitively; from the first component not found on, the rest is kept as written.
  // Nothing for a name that would leave the folder: absolute, drive letter or ".." component.
  std::optional<std::string> Resolve(std::string_view definition_name);
  // The same for a name already in UTF-8.
  std::optional<std::string> ResolveUtf8(std::string_view name);
  // A name used as given: ".." is allowed; absolute names are returned unchanged (with '/').
  std::string ResolveAsGiven(std::string_view definition_name);

  // Whether a relative path names a normal file (or a link to one) inside the folder.
  bool IsRegularFile(std::string_view relative) const;
  // Whether a relative path, with every link in it followed, stays inside the folder's real path.
  // A path whose end does not exist yet is judged by the part that does.
  bool StaysInside(std::string_view relative) const;

 private:
  struct Entry {
    std::string name;
    std::string folded;
  };
  const std::vector<Entry>& Listing(const std::string& relative_dir);
  std::optional<std::string> Match(const std::string& relative_dir, const std::string& component);

  std::filesystem::path root_;
  std::filesystem::path real_root_;
  CodePage code_page_;
  std::map<std::string, std::vector<Entry>> listings_;
};

// A definition name in UTF-8 with '\' turned into '/'.
std::string DefinitionNameToUtf8(const CodePage& code_page, std::string_view name);

}  // namespace velmorant::platform
