#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmorant::check {

// What the player makes of a file a record names: the reader it goes through.
enum class FileType {
  kPicture,   // BMP pictures and masks
  kWave,      // wave sounds
  kFilm,      // films, through FFmpeg
  kRichText,  // RTF documents
  kCaption,   // caption text files: any bytes
  kAny,       // handed to the shell: links, documents, programs
};

// Why the player cannot use the regular file at `path`, in words for a report; nothing when it
// can. The readers are the player's own, so the verdict is the player's.
std::optional<std::string> FileProblem(FileType type, const std::filesystem::path& path);

}  // namespace velmorant::check
