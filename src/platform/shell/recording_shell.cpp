#include "platform/shell/recording_shell.hpp"

namespace velmorant::platform {

LaunchResult RecordingShell::Launch(const LaunchRequest& request) {
  log_.Write("launch", {{"verb", request.verb},
                        {"file", log_.RelativePath(request.file)},
                        {"params", request.parameters},
                        {"dir", log_.RelativePath(request.directory)},
                        {"ok", true}});
  return {true, nullptr};
}

}  // namespace velmorant::platform
