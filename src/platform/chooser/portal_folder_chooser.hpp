#pragma once

#include <memory>
#include <string>

#include "platform/chooser/folder_chooser.hpp"

namespace velmorant::platform {

// The desktop's own folder dialog, through the XDG desktop portal on the session bus.
class PortalFolderChooser final : public FolderChooser {
 public:
  // Nothing when there is no session bus, or no portal there whose file chooser picks folders.
  // `bus_address` is the session bus's D-Bus address, empty for none.
  static std::unique_ptr<PortalFolderChooser> Connect(const std::string& bus_address);
  ~PortalFolderChooser() override;

  FolderChoice Choose(const std::string& title) override;

 private:
  struct Bus;
  explicit PortalFolderChooser(std::unique_ptr<Bus> bus);
  std::unique_ptr<Bus> bus_;
  int requests_ = 0;
};

// The session bus's address as the desktop publishes it: the environment's, else the bus socket
// in the user's runtime folder; empty when neither is there. Never starts a bus.
std::string SessionBusAddress(const char* bus_variable, const char* runtime_folder);

}  // namespace velmorant::platform
