#include "platform/shell/gio_opener.hpp"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <vector>

#include "platform/gio_handles.hpp"
#include "platform/shell/process_group.hpp"

namespace velmorant::platform {

namespace {

constexpr const char* kFolderType = "inode/directory";

// Runs in the child between fork and exec: only async-signal-safe calls.
struct ChildSetup {
  const char* directory;  // null: stay where the player is
};
void SetUpChild(gpointer data) {
  const auto* setup = static_cast<const ChildSetup*>(data);
  ::setsid();
  // Ended with the player even if it dies without ending it.
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  // A folder that cannot be entered leaves the application where the player is.
  if (setup->directory && ::chdir(setup->directory) != 0) return;
}

void NotePid(GDesktopAppInfo* /*app*/, GPid pid, gpointer data) {
  static_cast<std::vector<int>*>(data)->push_back(pid);
}

LaunchResult Launch(GAppInfo* app, const std::string& uri, const std::string& directory,
                    const std::shared_ptr<ChildReaper>& reaper) {
  GList uris{const_cast<char*>(uri.c_str()), nullptr, nullptr};
  GErrorSlot error;
  if (!G_IS_DESKTOP_APP_INFO(app)) {
    if (!g_app_info_launch_uris(app, &uris, nullptr, error.Out())) {
      return {false, nullptr, error.Message("the application did not start")};
    }
    return {true, nullptr, {}};
  }
  std::error_code ec;
  const bool has_directory = !directory.empty() && std::filesystem::is_directory(directory, ec);
  ChildSetup setup{has_directory ? directory.c_str() : nullptr};
  std::vector<int> pids;
  // The player collects its children itself: GLib's own collecting would need its main loop.
  const auto flags = GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD);
  if (!g_desktop_app_info_launch_uris_as_manager(G_DESKTOP_APP_INFO(app), &uris, nullptr, flags,
                                                 SetUpChild, &setup, NotePid, &pids, error.Out())) {
    return {false, nullptr, error.Message("the application did not start")};
  }
  if (pids.empty()) return {true, nullptr, {}};  // handed to a running application
  // One address starts one process; any more would be a stranger's doing, collected when they end.
  for (size_t i = 1; i < pids.size(); ++i) reaper->Collect(pids[i]);
  return {true, std::make_unique<ProcessGroup>(pids.front(), reaper), {}};
}

std::string UriOfPath(const std::string& path) {
  GObjectPtr<GFile> file(g_file_new_for_path(path.c_str()));
  GText uri(g_file_get_uri(file.get()));
  return uri ? std::string(uri.get()) : std::string();
}

}  // namespace

LaunchResult GioOpener::OpenAddress(const std::string& uri, const std::string& directory) {
  GText scheme(g_uri_parse_scheme(uri.c_str()));
  if (!scheme) return {false, nullptr, "not an address"};
  GObjectPtr<GAppInfo> app(g_app_info_get_default_for_uri_scheme(scheme.get()));
  if (!app) return {false, nullptr, "no application opens " + std::string(scheme.get()) + ":"};
  return Launch(app.get(), uri, directory, reaper_);
}

LaunchResult GioOpener::OpenPath(const std::string& path, const std::string& directory) {
  GObjectPtr<GFile> file(g_file_new_for_path(path.c_str()));
  GErrorSlot error;
  GObjectPtr<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                               G_FILE_QUERY_INFO_NONE, nullptr, error.Out()));
  if (!info) return {false, nullptr, error.Message("cannot be read")};
  const char* type = g_file_info_get_content_type(info.get());
  if (!type) return {false, nullptr, "of an unknown type"};
  GObjectPtr<GAppInfo> app(g_app_info_get_default_for_type(type, FALSE));
  if (!app) return {false, nullptr, std::string("no application opens ") + type};
  return Launch(app.get(), UriOfPath(path), directory, reaper_);
}

LaunchResult GioOpener::OpenFolder(const std::string& path, const std::string& directory) {
  GObjectPtr<GAppInfo> app(g_app_info_get_default_for_type(kFolderType, FALSE));
  if (!app) return {false, nullptr, "no file manager"};
  return Launch(app.get(), UriOfPath(path), directory, reaper_);
}

}  // namespace velmorant::platform
