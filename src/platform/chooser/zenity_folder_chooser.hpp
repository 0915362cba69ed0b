#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/chooser/folder_chooser.hpp"

namespace velmorant::platform {

// The folder dialog of the zenity program.
class ZenityFolderChooser final : public FolderChooser {
 public:
  // Nothing when no zenity is on PATH.
  static std::optional<ZenityFolderChooser> Find(const char* path_variable);

  FolderChoice Choose(const std::string& title) override;

 private:
  explicit ZenityFolderChooser(std::filesystem::path program) : program_(std::move(program)) {}
  std::filesystem::path program_;
};

// The first executable file called `name` in the folders of a PATH value.
std::optional<std::filesystem::path> FindOnPath(const std::string& name, const char* path_variable);

}  // namespace velmorant::platform
