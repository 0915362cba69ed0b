#include "app/settings.hpp"

#include <array>

#include "platform/fs/warm_up.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant {

namespace {

// Signed 32-bit arithmetic that wraps as the original did, without undefined behaviour.
int32_t Wrap(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}
int32_t Sub(int32_t a, int32_t b) {
  return Wrap(int64_t{a} - b);
}

constexpr std::array<platform::Size, 4> kResolutions{{{0, 0}, {640, 480}, {800, 600}, {1024, 768}}};
constexpr std::array<int32_t, 4> kMinimumBits{0, 8, 16, 0};

}  // namespace

std::string_view DisplayQuestion(int32_t result) {
  switch (result) {
    case -1:
      return kQuestionLowResolution;
    case -2:
      return kQuestionFewColours;
    case -3:
      return kQuestionBoth;
    default:
      return {};
  }
}

TOgolne::TOgolne(const std::filesystem::path& presentation_folder, platform::CodePage code_page)
    : finder_(presentation_folder, std::move(code_page)) {
  ExeFolder = presentation_folder.string();
  if (ExeFolder.empty() || ExeFolder.back() != '/') ExeFolder += '/';
}

const std::string* TOgolne::FolderOf(int kind) const {
  switch (kind) {
    case kAssetBackgrounds:
      return &BackgroundsFolder;
    case kAssetImages:
      return &ImagesFolder;
    case kAssetCaptions:
      return &CaptionsFolder;
    case kAssetTexts:
      return &TextsFolder;
    case kAssetSounds:
      return &SoundsFolder;
    case kAssetFilms:
    case kAssetAnimationFrames:
      return &FilmsFolder;
    case kAssetLinks:
      return &LinksFolder;
    case kAssetDocumentsAlt:
    case kAssetDocuments:
      return &DocumentsFolder;
    case kAssetProcesses:
      return &ProcessesFolder;
    case kAssetButtons:
      return &ButtonsFolder;
    default:
      return nullptr;
  }
}

std::string TOgolne::AssetFolder(int kind) {
  const std::string* folder = FolderOf(kind);
  if (!folder) return {};
  auto relative = finder_.Resolve(*folder);
  if (!relative) return {};
  std::string path = ExeFolder + *relative;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string TOgolne::AssetPath(int kind, std::string_view name, bool alt_assets) {
  if (kind == kAssetAsGiven) {
    std::string given = finder_.ResolveAsGiven(name);
    if (given.empty() || given.front() == '/' || (given.size() >= 2 && given[1] == ':')) {
      return given;
    }
    return ExeFolder + given;
  }
  const std::string* folder = FolderOf(kind);
  if (!folder) return {};
  const std::string prefix = *folder + "\\";
  if (alt_assets) {
    auto candidate = finder_.Resolve(prefix + "ext_" + std::string(name));
    if (candidate && finder_.IsRegularFile(*candidate)) return ExeFolder + *candidate;
  }
  return Confined(finder_.Resolve(prefix + std::string(name)));
}

std::string TOgolne::PathInside(std::string_view relative) {
  return Confined(finder_.ResolveUtf8(relative));
}

std::string TOgolne::MaskPath(const std::string& path) {
  // The rule cuts the name inside the presentation folder only: a short name must not cut into
  // the folder's own name and so name a file beside it.
  if (path.compare(0, ExeFolder.size(), ExeFolder) != 0) return {};
  const std::string_view relative = std::string_view(path).substr(ExeFolder.size());
  if (relative.size() < 3) return {};
  std::string mask(relative.substr(0, relative.size() - 3));
  mask += "msk";
  return Confined(finder_.ResolveUtf8(mask));
}

std::string TOgolne::Confined(const std::optional<std::string>& relative) const {
  if (!relative || !finder_.StaysInside(*relative)) return {};
  return ExeFolder + *relative;
}

std::string TOgolne::LogPath(const std::string& path) const {
  if (path.compare(0, ExeFolder.size(), ExeFolder) == 0) return path.substr(ExeFolder.size());
  return path;
}

bool TOgolne::WarmUp(const std::string& path) const {
  return IsInside(path) && platform::WarmUpFile(path);
}

platform::DecodeResult<std::vector<uint8_t>> TOgolne::ReadFile(const std::string& path,
                                                               uint64_t max_bytes) const {
  if (!IsInside(path)) return platform::DecodeError{"leads outside the presentation folder"};
  return platform::ReadFileBytes(path, max_bytes);
}

bool TOgolne::IsInside(const std::string& path) const {
  return path.compare(0, ExeFolder.size(), ExeFolder) == 0 &&
         finder_.StaysInside(std::string_view(path).substr(ExeFolder.size()));
}

platform::Size TOgolne::DesignSize() const {
  // Indexes outside the tables set no requirement.
  const bool known = ResolutionIndex >= 0 && size_t(ResolutionIndex) < kResolutions.size();
  return known ? kResolutions[size_t(ResolutionIndex)] : platform::Size{0, 0};
}

DisplayCheck TOgolne::DisplayRect(int32_t screen_width, int32_t screen_height, int32_t bits) const {
  const platform::Size design = DesignSize();
  const bool known_colour = ColourIndex >= 0 && size_t(ColourIndex) < kMinimumBits.size();
  const int32_t minimum_bits = known_colour ? kMinimumBits[size_t(ColourIndex)] : 0;

  DisplayCheck check;
  const platform::Rect whole{0, 0, screen_width, screen_height};
  if (screen_width < design.width) {
    check.result = -1;
    check.rect = whole;
  } else if (Centred) {
    const int32_t left = (screen_width - design.width) / 2;
    const int32_t top = Sub(screen_height, design.height) / 2;
    check.rect = {left, top, left + design.width, top + design.height};
  } else {
    check.rect = whole;
  }
  if (bits < minimum_bits) check.result -= 2;
  return check;
}

}  // namespace velmorant
