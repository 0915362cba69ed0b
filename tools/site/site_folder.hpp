#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmorant::site {

// The file in a published site that lets a later run replace it.
inline constexpr const char* kSiteMarker = ".velmorant-site";

// Why `out` may not receive a site (a file, a link, a folder with other things in it), or nothing
// when it is absent, empty or a site.
std::string OutputProblem(const std::filesystem::path& out);

// A site written into "OUT.tmp-XXXXXX" beside OUT and put in OUT's place only once complete, so
// that OUT never holds half a site; the folder goes when the object does unless committed.
class StagingFolder {
 public:
  static std::optional<StagingFolder> Create(const std::filesystem::path& out, std::string* error);

  StagingFolder(StagingFolder&& other) noexcept;
  StagingFolder& operator=(StagingFolder&&) = delete;
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;
  ~StagingFolder();

  const std::filesystem::path& Path() const { return path_; }
  // Puts the staged site at OUT, removing the site that was there; false with `error` when OUT
  // changed meanwhile into something not to replace, or the swap failed (OUT is then as it was).
  bool Commit(std::string* error);

 private:
  StagingFolder(std::filesystem::path out, std::filesystem::path path)
      : out_(std::move(out)), path_(std::move(path)) {}

  std::filesystem::path out_;
  std::filesystem::path path_;  // empty once committed or moved from
};

}  // namespace velmorant::site
