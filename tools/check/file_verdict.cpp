#include "check/file_verdict.hpp"

#include "elements/visual/captions.hpp"
#include "platform/audio/wave_file.hpp"
#include "platform/film/film_decoder.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "platform/gfx/picture_store.hpp"
#include "platform/memory_budget.hpp"
#include "platform/shell/file_role.hpp"
#include "platform/text/rtf_reader.hpp"

namespace velmorant::check {

namespace {

// The player's bound for the caption and document files it reads.
constexpr uint64_t kMaxTextBytes = uint64_t{64} << 20;

std::optional<FileProblem> Error(std::string text) {
  return FileProblem{Severity::kError, std::move(text)};
}

std::optional<FileProblem> PictureProblem(const std::filesystem::path& path) {
  auto bytes = platform::ReadFileBytes(path, platform::kMaxBmpFileBytes);
  if (!bytes) return Error("the picture cannot be read: " + bytes.error());
  // The player refuses a picture larger than this from its header: so does the check, without
  // decoding the size it claims.
  auto size = platform::ReadBmpSize(*bytes);
  if (!size) return Error("the picture cannot be read: " + size.error());
  if (platform::PictureBytes(size->width, size->height) > platform::kMaxPictureBytes) {
    return Error("the picture cannot be read: picture of " + std::to_string(size->width) + " x " +
                 std::to_string(size->height) + " refused: larger than the " +
                 std::to_string(platform::kMaxPictureBytes >> 20) + " MiB one picture may take");
  }
  auto picture = platform::DecodeBmp(*bytes);
  if (!picture) return Error("the picture cannot be read: " + picture.error());
  return std::nullopt;
}

std::optional<FileProblem> RichTextProblem(const std::filesystem::path& path) {
  auto bytes = platform::ReadFileBytes(path, kMaxTextBytes);
  if (!bytes) return Error("the document cannot be read: " + bytes.error());
  if (auto document = platform::ReadRtf(*bytes); !document) {
    return FileProblem{Severity::kWarning,
                       "not an RTF document (" + document.error() + "): shown as plain text"};
  }
  return std::nullopt;
}

std::optional<FileProblem> CaptionProblem(const std::filesystem::path& path) {
  auto start = platform::ReadFileStart(path, kMaxCaptionBytes);
  if (!start) return Error("the caption cannot be read: " + start.error());
  if (start->whole_size > start->bytes.size()) {
    return FileProblem{Severity::kWarning,
                       "longer than the " + std::to_string(kMaxCaptionBytes >> 20) +
                           " MiB the player reads of a caption: the rest is cut"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<FileProblem> ProblemOf(FileType type, const std::filesystem::path& path) {
  switch (type) {
    case FileType::kPicture:
      return PictureProblem(path);
    case FileType::kWave:
      if (!platform::LoadWave(path.string(), platform::SoundFormat{}).Playable()) {
        return Error("not a wave sound the player can play");
      }
      return std::nullopt;
    case FileType::kFilm:
      if (!platform::FilmDecoder::Open(path.string())) {
        return Error("not a film the player can play");
      }
      return std::nullopt;
    case FileType::kRichText:
      return RichTextProblem(path);
    case FileType::kCaption:
      return CaptionProblem(path);
    case FileType::kOpened:
      if (platform::LooksLikeProgram(path.string())) {
        return Error(
            "a program: the player opens no program through a link or a document, "
            "only through a process");
      }
      return std::nullopt;
    case FileType::kAny:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace velmorant::check
