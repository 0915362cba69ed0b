#pragma once

#include <memory>
#include <string>

#include "platform/shell/child_reaper.hpp"
#include "platform/shell/shell.hpp"

namespace velmorant::platform {

// Opens addresses, files and folders with the desktop's default applications. A started
// application leads a session of its own, in `directory` when that is a folder, and is held; a
// hand-off to an application that was already running succeeds without a process.
class GioOpener {
 public:
  explicit GioOpener(std::shared_ptr<ChildReaper> reaper) : reaper_(std::move(reaper)) {}

  // An address with a scheme (http, mailto, ...): the scheme's default handler.
  LaunchResult OpenAddress(const std::string& uri, const std::string& directory);
  // A local file or folder: the default application of its content type.
  LaunchResult OpenPath(const std::string& path, const std::string& directory);
  // A local folder in the default file manager.
  LaunchResult OpenFolder(const std::string& path, const std::string& directory);

 private:
  std::shared_ptr<ChildReaper> reaper_;
};

}  // namespace velmorant::platform
