#include "app/assets.hpp"

#include <iostream>

#include "app/player.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/text/warning_line.hpp"

namespace velmorant {

std::string Assets::PathOf(int32_t kind, const std::string& name) {
  return player_.settings.AssetPath(kind, name, player_.display.AltAssets);
}

std::string Assets::MaskPathOf(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  return path.empty() ? path : player_.settings.MaskPath(path);
}

void Assets::Warn(const std::string& path, const std::string& why) {
  if (!warned_.insert(path).second) return;
  std::cerr << platform::WarningLine(player_.settings.LogPath(path), why);
}

std::optional<platform::Bitmap> Assets::LoadBitmapFile(const std::string& path,
                                                       const std::string& name) {
  if (path.empty()) {
    Warn(player_.ToUtf8(name), "not a file inside the presentation folder");
    return std::nullopt;
  }
  auto decoded = platform::LoadBmpFile(path);
  if (!decoded) {
    Warn(path, decoded.error());
    return std::nullopt;
  }
  return std::move(*decoded);
}

std::optional<platform::Bitmap> Assets::LoadPicture(int32_t kind, const std::string& name) {
  return LoadBitmapFile(PathOf(kind, name), name);
}

std::optional<platform::Bitmap> Assets::LoadMask(int32_t kind, const std::string& name) {
  return LoadBitmapFile(MaskPathOf(kind, name), name);
}

void Assets::WarmUp(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  if (!path.empty()) player_.settings.WarmUp(path);
}

void Assets::WarmUpMask(int32_t kind, const std::string& name) {
  const std::string path = MaskPathOf(kind, name);
  if (!path.empty()) player_.settings.WarmUp(path);
}

}  // namespace velmorant
