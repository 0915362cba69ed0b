#include "check/unused_files.hpp"

#include <filesystem>
#include <set>

namespace velmorant::check {

namespace {

constexpr int kFolderKinds[] = {kAssetBackgrounds, kAssetImages, kAssetCaptions, kAssetTexts,
                                kAssetSounds,      kAssetFilms,  kAssetLinks,    kAssetDocuments,
                                kAssetProcesses,   kAssetButtons};

bool InsideUsedFolder(const std::string& relative, const std::set<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (relative.size() > folder.size() && relative.compare(0, folder.size(), folder) == 0 &&
        relative[folder.size()] == '/') {
      return true;
    }
  }
  return false;
}

}  // namespace

void CheckUnusedFiles(TOgolne& settings, const AssetProbe& probe, Findings& findings) {
  std::set<std::string> folders;
  for (int kind : kFolderKinds) {
    const std::string folder = settings.AssetFolder(kind);
    if (!folder.empty() && folder.size() > settings.ExeFolder.size()) folders.insert(folder);
  }
  std::set<std::string> unused;
  for (const std::string& folder : folders) {
    std::error_code ec;
    // Links to folders are not followed: they may lead anywhere.
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      std::string relative = it->path().string().substr(settings.ExeFolder.size());
      if (probe.UsedFiles().count(relative) || InsideUsedFolder(relative, probe.UsedFolders())) {
        continue;
      }
      unused.insert(std::move(relative));
    }
  }
  for (const std::string& file : unused) {
    findings.Add(Severity::kNote, {}, file, "no record uses this file");
  }
}

}  // namespace velmorant::check
