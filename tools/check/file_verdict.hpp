#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "check/finding.hpp"

namespace velmorant::check {

// What the player makes of a file a record names: the reader it goes through.
enum class FileType {
  kPicture,   // BMP pictures and masks
  kWave,      // wave sounds
  kFilm,      // films, through FFmpeg
  kRichText,  // RTF documents
  kCaption,   // caption text files: any bytes
  kOpened,    // handed to the desktop to be opened: links and documents, never programs
  kAny,       // handed to the shell as a process: programs and documents
};

struct FileProblem {
  Severity severity = Severity::kError;  // a warning when the player still makes something of it
  std::string text;
};

// Why the player cannot use the regular file at `path` as it is meant, in words for a report;
// nothing when it can. The readers are the player's own, so the verdict is the player's.
std::optional<FileProblem> ProblemOf(FileType type, const std::filesystem::path& path);

}  // namespace velmorant::check
