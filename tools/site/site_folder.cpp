#include "site/site_folder.hpp"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace velmorant::site {

namespace fs = std::filesystem;

namespace {

// A new empty folder named `base` + "XXXXXX" with the X's made unique.
std::optional<fs::path> MakeUniqueFolder(const std::string& base, std::string* error) {
  std::string name = base + "XXXXXX";
  if (!::mkdtemp(name.data())) {
    *error = "cannot create " + name + ": " + std::strerror(errno);
    return std::nullopt;
  }
  // mkdtemp keeps the folder to its owner; a site is for a web server to read.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  std::error_code ec;
  fs::permissions(name, static_cast<fs::perms>(0777 & ~mask), ec);
  return fs::path(name);
}

bool Rename(const fs::path& from, const fs::path& to, std::string* error) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec) *error = "cannot move " + from.string() + " to " + to.string() + ": " + ec.message();
  return !ec;
}

}  // namespace

std::string OutputProblem(const fs::path& out) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(out, ec);
  if (!fs::exists(status)) return {};
  if (!fs::is_directory(status)) return "exists and is not a folder";
  if (fs::is_empty(out, ec) && !ec) return {};
  if (fs::is_regular_file(fs::symlink_status(out / kSiteMarker, ec))) return {};
  return "is a folder that holds something other than a published site (no " +
         std::string(kSiteMarker) + "); choose another or empty it";
}

std::optional<StagingFolder> StagingFolder::Create(const fs::path& out, std::string* error) {
  fs::path absolute = fs::absolute(out).lexically_normal();
  if (!absolute.has_filename()) absolute = absolute.parent_path();
  auto path = MakeUniqueFolder(absolute.string() + ".tmp-", error);
  if (!path) return std::nullopt;
  return StagingFolder(absolute, *path);
}

StagingFolder::StagingFolder(StagingFolder&& other) noexcept
    : out_(std::move(other.out_)), path_(std::move(other.path_)) {
  other.path_.clear();
}

StagingFolder::~StagingFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

bool StagingFolder::Commit(std::string* error) {
  if (const std::string problem = OutputProblem(out_); !problem.empty()) {
    *error = out_.string() + " " + problem;
    return false;
  }
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(out_, ec))) {
    if (!Rename(path_, out_, error)) return false;
    path_.clear();
    return true;
  }
  // The old site moves aside (into an empty folder, which rename replaces) before the new one
  // takes its place, and goes back if that fails.
  auto aside = MakeUniqueFolder(out_.string() + ".old-", error);
  if (!aside) return false;
  if (!Rename(out_, *aside, error)) {
    fs::remove(*aside, ec);
    return false;
  }
  if (!Rename(path_, out_, error)) {
    std::string ignored;
    Rename(*aside, out_, &ignored);
    return false;
  }
  path_.clear();
  fs::remove_all(*aside, ec);
  return true;
}

}  // namespace velmorant::site
