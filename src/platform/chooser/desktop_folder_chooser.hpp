#pragma once

#include <memory>

#include "platform/chooser/folder_chooser.hpp"

namespace velmorant::platform {

// The folder chooser a desktop offers: its portal's where one runs on the session bus, else
// zenity's where it is on PATH; nothing where neither is. The arguments are the values of
// DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR and PATH.
std::unique_ptr<FolderChooser> FindDesktopFolderChooser(const char* bus_variable,
                                                        const char* runtime_folder,
                                                        const char* path_variable);

}  // namespace velmorant::platform
