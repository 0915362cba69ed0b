#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "app/settings.hpp"
#include "check/file_verdict.hpp"
#include "check/finding.hpp"

namespace velmorant::check {

// Finds the files records name the way the player finds them, says what is wrong with each (once
// per record and field), and remembers every file some record uses.
class AssetProbe {
 public:
  AssetProbe(TOgolne& settings, Findings& findings) : settings_(settings), findings_(findings) {}

  // The file a record names; true when the player can use it. An empty name is no file.
  bool File(const Where& where, int kind, const std::string& name, FileType type);
  // The mask companion of a picture drawn through a mask: without it the picture is opaque.
  void Mask(const Where& where, int kind, const std::string& picture_name);
  // A folder inside an asset folder (a documents folder opened as a whole).
  void Folder(const Where& where, int kind, const std::string& name);
  // A link's target: a web address, or a file or folder inside the presentation folder; anything
  // else the player refuses, which is an error.
  void LinkTarget(const Where& where, const std::string& target);

  // Paths relative to the presentation folder, '/' separated.
  const std::set<std::string>& UsedFiles() const { return used_files_; }
  const std::set<std::string>& UsedFolders() const { return used_folders_; }

 private:
  // The file for a name relative to the presentation folder, or nothing (reported) when the name
  // would leave it. Reports names that match only ignoring case.
  std::optional<std::string> Locate(const Where& where, int kind, const std::string& name);
  bool Usable(const Where& where, const std::string& relative, FileType type,
              const std::string& problem_prefix);
  void ReportFolderCase(int kind, const std::string& found);
  // A file or folder for the desktop to open, at a path relative to the presentation folder.
  void Opened(const Where& where, const std::string& relative);

  TOgolne& settings_;
  Findings& findings_;
  std::map<std::string, std::optional<FileProblem>> problems_;  // by relative path
  std::set<std::string> used_files_;
  std::set<std::string> used_folders_;
  std::set<int> folder_case_reported_;
};

// The header field naming the folder of an asset kind ("ImagesFolder"), empty for none.
std::string FolderField(int kind);

}  // namespace velmorant::check
