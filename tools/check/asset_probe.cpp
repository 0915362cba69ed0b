#include "check/asset_probe.hpp"

#include <filesystem>
#include <vector>

#include "elements/interactive/link_target.hpp"
#include "platform/fs/asset_finder.hpp"

namespace velmorant::check {

namespace {

std::string Join(const std::vector<std::string>& parts, size_t from, size_t to) {
  std::string joined;
  for (size_t i = from; i < to && i < parts.size(); ++i) {
    if (!joined.empty()) joined += '/';
    joined += parts[i];
  }
  return joined;
}

struct FolderOfKind {
  std::string TOgolneFields::*member;
  const char* field;
};

// The header field naming the folder of an asset kind; kinds that share a folder share the field.
std::optional<FolderOfKind> FolderOf(int kind) {
  switch (kind) {
    case kAssetBackgrounds:
      return FolderOfKind{&TOgolneFields::BackgroundsFolder, "BackgroundsFolder"};
    case kAssetImages:
      return FolderOfKind{&TOgolneFields::ImagesFolder, "ImagesFolder"};
    case kAssetCaptions:
      return FolderOfKind{&TOgolneFields::CaptionsFolder, "CaptionsFolder"};
    case kAssetTexts:
      return FolderOfKind{&TOgolneFields::TextsFolder, "TextsFolder"};
    case kAssetSounds:
      return FolderOfKind{&TOgolneFields::SoundsFolder, "SoundsFolder"};
    case kAssetFilms:
    case kAssetAnimationFrames:
      return FolderOfKind{&TOgolneFields::FilmsFolder, "FilmsFolder"};
    case kAssetLinks:
      return FolderOfKind{&TOgolneFields::LinksFolder, "LinksFolder"};
    case kAssetDocuments:
    case kAssetDocumentsAlt:
      return FolderOfKind{&TOgolneFields::DocumentsFolder, "DocumentsFolder"};
    case kAssetProcesses:
      return FolderOfKind{&TOgolneFields::ProcessesFolder, "ProcessesFolder"};
    case kAssetButtons:
      return FolderOfKind{&TOgolneFields::ButtonsFolder, "ButtonsFolder"};
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string FolderField(int kind) {
  const auto folder = FolderOf(kind);
  return folder ? folder->field : std::string();
}

void AssetProbe::ReportFolderCase(int kind, const std::string& found) {
  // Kinds that share a folder share its report.
  const std::string field = FolderField(kind);
  for (int reported : folder_case_reported_) {
    if (FolderField(reported) == field) return;
  }
  folder_case_reported_.insert(kind);
  findings_.Add(Severity::kWarning, {"header", -1, field}, found,
                "the folder matches only ignoring case: it plays here, not on a file system "
                "that tells case apart");
}

std::optional<std::string> AssetProbe::Locate(const Where& where, int kind,
                                              const std::string& name) {
  const platform::CodePage& codes = settings_.Codes();
  const std::string written_name = platform::DefinitionNameToUtf8(codes, name);
  const std::string path = settings_.AssetPath(kind, name, false);
  if (path.empty()) {
    findings_.Add(Severity::kError, where, written_name,
                  "the name leads outside the presentation folder: the player refuses it");
    return std::nullopt;
  }
  std::string relative = path.substr(settings_.ExeFolder.size());
  const auto folder_of = FolderOf(kind);
  const std::vector<std::string> folder =
      folder_of ? platform::SplitComponents(
                      platform::DefinitionNameToUtf8(codes, settings_.*folder_of->member))
                : std::vector<std::string>();
  const std::vector<std::string> written = platform::SplitComponents(written_name);
  const std::vector<std::string> found = platform::SplitComponents(relative);
  if (found.size() == folder.size() + written.size()) {
    if (!std::equal(folder.begin(), folder.end(), found.begin())) {
      ReportFolderCase(kind, Join(found, 0, folder.size()));
    }
    if (!std::equal(written.begin(), written.end(),
                    found.begin() + std::ptrdiff_t(folder.size()))) {
      findings_.Add(Severity::kWarning, where, relative,
                    "written \"" + written_name +
                        "\": the name matches only ignoring case, so it plays here but not on a "
                        "file system that tells case apart");
    }
  }
  return relative;
}

bool AssetProbe::Usable(const Where& where, const std::string& relative, FileType type,
                        const std::string& problem_prefix) {
  used_files_.insert(relative);
  auto [it, fresh] = problems_.try_emplace(relative);
  if (fresh) {
    const std::filesystem::path path = settings_.ExeFolder + relative;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
      it->second = FileProblem{Severity::kError, "the file is missing"};
    } else if (!std::filesystem::is_regular_file(status)) {
      it->second = FileProblem{Severity::kError, "not a regular file"};
    } else {
      it->second = ProblemOf(type, path);
    }
  }
  if (!it->second) return true;
  findings_.Add(it->second->severity, where, relative, problem_prefix + it->second->text);
  return it->second->severity != Severity::kError;
}

bool AssetProbe::File(const Where& where, int kind, const std::string& name, FileType type) {
  if (name.empty()) return true;
  const auto relative = Locate(where, kind, name);
  if (!relative) return false;
  const bool usable = Usable(where, *relative, type, "");
  // The alternate files the alternate-asset action switches to are checked as well.
  const std::string alternate = settings_.AssetPath(kind, name, true);
  if (!alternate.empty() && alternate != settings_.ExeFolder + *relative) {
    Usable(where, alternate.substr(settings_.ExeFolder.size()), type, "the alternate file: ");
  }
  return usable;
}

void AssetProbe::Mask(const Where& where, int kind, const std::string& picture_name) {
  if (picture_name.empty()) return;
  const std::string picture = settings_.AssetPath(kind, picture_name, false);
  const std::string mask = picture.empty() ? picture : settings_.MaskPath(picture);
  if (mask.empty()) return;
  const std::string relative = mask.substr(settings_.ExeFolder.size());
  std::error_code ec;
  if (!std::filesystem::exists(mask, ec)) {
    findings_.Add(Severity::kWarning, where, relative,
                  "the mask is missing: the picture is drawn without transparency");
    return;
  }
  used_files_.insert(relative);
  auto [it, fresh] = problems_.try_emplace(relative);
  if (fresh) {
    it->second = std::filesystem::is_regular_file(mask, ec)
                     ? ProblemOf(FileType::kPicture, mask)
                     : FileProblem{Severity::kError, "not a regular file"};
  }
  if (it->second) {
    findings_.Add(Severity::kWarning, where, relative,
                  it->second->text + ": the picture is drawn without transparency");
  }
}

void AssetProbe::Folder(const Where& where, int kind, const std::string& name) {
  const auto relative = Locate(where, kind, name);
  if (!relative) return;
  std::error_code ec;
  if (!std::filesystem::is_directory(settings_.ExeFolder + *relative, ec)) {
    findings_.Add(Severity::kError, where, *relative, "the folder is missing");
    return;
  }
  used_folders_.insert(*relative);
}

}  // namespace velmorant::check

namespace velmorant::check {

void AssetProbe::Opened(const Where& where, const std::string& relative) {
  std::error_code ec;
  if (std::filesystem::is_directory(settings_.ExeFolder + relative, ec)) {
    used_folders_.insert(relative);
    return;
  }
  Usable(where, relative, FileType::kOpened, "");
}

void AssetProbe::LinkTarget(const Where& where, const std::string& target) {
  if (target.empty()) return;
  const std::string written = settings_.Codes().ToUtf8(target);
  const velmorant::LinkTarget kind = ClassifyLinkTarget(written, settings_.ExeFolder);
  switch (kind.kind) {
    case velmorant::LinkTarget::Kind::kWebAddress:
      return;
    case velmorant::LinkTarget::Kind::kInLinksFolder:
      if (const auto relative = Locate(where, kAssetLinks, target)) Opened(where, *relative);
      return;
    case velmorant::LinkTarget::Kind::kInPresentation:
      if (const std::string path = settings_.PathInside(kind.text); !path.empty()) {
        Opened(where, path.substr(settings_.ExeFolder.size()));
        return;
      }
      findings_.Add(Severity::kError, where, written,
                    "the target leads outside the presentation folder: the player refuses it");
      return;
    case velmorant::LinkTarget::Kind::kRefused:
      break;
  }
  findings_.Add(Severity::kError, where, written, "the player refuses the target: " + kind.text);
}

}  // namespace velmorant::check
