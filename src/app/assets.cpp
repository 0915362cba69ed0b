#include "app/assets.hpp"

#include <iostream>

#include "display/render_helpers.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "platform/text/warning_line.hpp"

namespace velmorant {

namespace {
// Texts and captions larger than this are not read.
constexpr uint64_t kMaxTextFileBytes = uint64_t{64} << 20;
}  // namespace

std::string Assets::PathOf(int32_t kind, const std::string& name) {
  return settings_.AssetPath(kind, name, alt_assets_);
}

std::string Assets::MaskPathOf(int32_t kind, const std::string& name) {
  const std::string path = PathOf(kind, name);
  return path.empty() ? path : settings_.MaskPath(path);
}

void Assets::Warn(const std::string& path, const std::string& why) {
  if (!warned_.insert(path).second) return;
  std::cerr << platform::WarningLine(settings_.LogPath(path), why);
}

SharedPicture Assets::Load(const std::string& path, const std::string& name) {
  if (path.empty()) {
    Warn(codepage_.ToUtf8(name), "not a file inside the presentation folder");
    return nullptr;
  }
  auto picture = pictures_.Load(path);
  if (!picture) {
    Warn(path, picture.error());
    return nullptr;
  }
  return std::move(*picture);
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

std::optional<std::vector<uint8_t>> Assets::FileStart(int32_t kind, const std::string& name,
                                                      uint64_t max_bytes) {
  const std::string path = PathOf(kind, name);
  if (path.empty()) {
    Warn(codepage_.ToUtf8(name), "not a file inside the presentation folder");
    return std::nullopt;
  }
  auto start = platform::ReadFileStart(path, max_bytes);
  if (!start) {
    Warn(path, start.error());
    return std::nullopt;
  }
  if (start->whole_size > start->bytes.size()) {
    Warn(path, "only its first " + std::to_string(start->bytes.size()) + " of " +
                   std::to_string(start->whole_size) + " bytes are read");
  }
  return std::move(start->bytes);
}

void Assets::Warn(int32_t kind, const std::string& name, const std::string& why) {
  const std::string path = PathOf(kind, name);
  Warn(path.empty() ? codepage_.ToUtf8(name) : path, why);
}

SharedPicture Assets::Picture(int32_t kind, const std::string& name) {
  return Load(PathOf(kind, name), name);
}

MaskedPicture Assets::PictureWithMask(int32_t kind, const std::string& name,
                                      const std::string& mask_of) {
  const std::string path = PathOf(kind, name);
  if (path.empty()) return {Load(path, name), nullptr};
  // The mask first: held, it is decoded once for every picture prepared with it.
  SharedPicture mask = Load(MaskPathOf(kind, mask_of), mask_of);
  if (!mask) return {Load(path, name), nullptr};
  auto prepared = pictures_.LoadMasked(path, MaskPathOf(kind, mask_of),
                                       [](platform::Bitmap& picture, const platform::Bitmap& m) {
                                         PrepareMaskedImage(picture, &m);
                                       });
  if (!prepared) {
    Warn(path, prepared.error());
    return {};
  }
  return {std::move(*prepared), std::move(mask)};
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
