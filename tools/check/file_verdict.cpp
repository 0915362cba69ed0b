#include "check/file_verdict.hpp"

#include <algorithm>
#include <string_view>

#include "platform/audio/wave_file.hpp"
#include "platform/film/film_decoder.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant::check {

namespace {

// Far beyond any caption or document a presentation shows.
constexpr uint64_t kMaxTextBytes = uint64_t{64} << 20;

std::optional<std::string> PictureProblem(const std::filesystem::path& path) {
  auto picture = platform::LoadBmpFile(path);
  if (!picture) return "the picture cannot be read: " + picture.error();
  return std::nullopt;
}

std::optional<std::string> RichTextProblem(const std::filesystem::path& path) {
  auto bytes = platform::ReadFileBytes(path, kMaxTextBytes);
  if (!bytes) return "the document cannot be read: " + bytes.error();
  constexpr std::string_view kMagic = "{\\rtf";
  if (bytes->size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes->begin())) {
    return "not an RTF document";
  }
  return std::nullopt;
}

std::optional<std::string> CaptionProblem(const std::filesystem::path& path) {
  auto bytes = platform::ReadFileBytes(path, kMaxTextBytes);
  if (!bytes) return "the caption cannot be read: " + bytes.error();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FileProblem(FileType type, const std::filesystem::path& path) {
  switch (type) {
    case FileType::kPicture:
      return PictureProblem(path);
    case FileType::kWave:
      if (!platform::LoadWave(path.string(), platform::SoundFormat{}).Playable()) {
        return "not a wave sound the player can play";
      }
      return std::nullopt;
    case FileType::kFilm:
      if (!platform::FilmDecoder::Open(path.string())) return "not a film the player can play";
      return std::nullopt;
    case FileType::kRichText:
      return RichTextProblem(path);
    case FileType::kCaption:
      return CaptionProblem(path);
    case FileType::kAny:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace velmorant::check
