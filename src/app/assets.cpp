#include "app/assets.hpp"

#include <iostream>

#include "display/display.hpp"
#include "display/render_helpers.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant {

namespace {
// Texts and captions larger than this are not read.
constexpr uint64_t kMaxTextFileBytes = uint64_t{64} << 20;
}  // namespace

std::string Assets::PathOf(int32_t kind, const std::string& name) {
  return settings_.AssetPath(kind, name, display_.AltAssets);
}

std::string Assets::MaskPathOf(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  return path.empty() ? path : settings_.MaskPath(path);
}

void Assets::Warn(const std::string& path, const std::string& why) {
  if (!warned_.insert(path).second) return;
  std::cerr << "velmorant: " << settings_.LogPath(path) << ": " << why << '\n';
}

std::optional<platform::Bitmap> Assets::LoadBitmapFile(const std::string& path,
                                                       const std::string& name) {
  if (path.empty()) {
    Warn(codepage_.ToUtf8(name), "not a file inside the presentation folder");
    return std::nullopt;
  }
  auto decoded = platform::LoadBmpFile(path);
  if (!decoded) {
    Warn(path, decoded.error());
    return std::nullopt;
  }
  return std::move(*decoded);
}

std::optional<std::vector<uint8_t>> Assets::FileBytes(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  if (path.empty()) {
    Warn(codepage_.ToUtf8(name), "not a file inside the presentation folder");
    return std::nullopt;
  }
  auto bytes = platform::ReadFileBytes(path, kMaxTextFileBytes);
  if (!bytes) {
    Warn(path, bytes.error());
    return std::nullopt;
  }
  return std::move(*bytes);
}

SharedPicture Assets::Picture(int32_t kind, const std::string& name) {
  auto picture = LoadBitmapFile(PathOf(kind, name), name);
  if (!picture) return nullptr;
  return std::make_shared<const platform::Bitmap>(std::move(*picture));
}

MaskedPicture Assets::PictureWithMask(int32_t kind, const std::string& name,
                                      const std::string& mask_of) {
  auto picture = LoadBitmapFile(PathOf(kind, name), name);
  if (!picture) return {};
  auto mask = LoadBitmapFile(MaskPathOf(kind, mask_of), mask_of);
  if (!mask) return {std::make_shared<const platform::Bitmap>(std::move(*picture)), nullptr};
  PrepareMaskedImage(*picture, &*mask);
  return {std::make_shared<const platform::Bitmap>(std::move(*picture)),
          std::make_shared<const platform::Bitmap>(std::move(*mask))};
}

void Assets::WarmUp(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  if (!path.empty()) settings_.WarmUp(path);
}

void Assets::WarmUpMask(int32_t kind, const std::string& name) {
  const std::string path = MaskPathOf(kind, name);
  if (!path.empty()) settings_.WarmUp(path);
}

}  // namespace velmorant
