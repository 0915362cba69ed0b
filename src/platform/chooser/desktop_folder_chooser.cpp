#include "platform/chooser/desktop_folder_chooser.hpp"

#include "platform/chooser/portal_folder_chooser.hpp"
#include "platform/chooser/zenity_folder_chooser.hpp"

namespace velmorant::platform {

std::unique_ptr<FolderChooser> FindDesktopFolderChooser(const char* bus_variable,
                                                        const char* runtime_folder,
                                                        const char* path_variable) {
  if (auto portal = PortalFolderChooser::Connect(SessionBusAddress(bus_variable, runtime_folder)))
    return portal;
  if (auto zenity = ZenityFolderChooser::Find(path_variable))
    return std::make_unique<ZenityFolderChooser>(std::move(*zenity));
  return nullptr;
}

}  // namespace velmorant::platform
