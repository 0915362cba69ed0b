#pragma once

#include <filesystem>
#include <string>

namespace velmorant::platform {

// What asking the user for a folder came to.
struct FolderChoice {
  enum class Outcome { kChosen, kCancelled, kFailed };
  Outcome outcome = Outcome::kCancelled;
  std::filesystem::path folder;  // kChosen: the folder picked
  std::string problem;           // kFailed: why no folder could be asked for
};

// A dialog that asks the user for a folder and waits as long as the user takes.
class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  virtual FolderChoice Choose(const std::string& title) = 0;
};

}  // namespace velmorant::platform
