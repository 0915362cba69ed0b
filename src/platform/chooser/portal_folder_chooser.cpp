#include "platform/chooser/portal_folder_chooser.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/gio_handles.hpp"

namespace velmorant::platform {

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kFileChooser = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequest = "org.freedesktop.portal.Request";
// Choosing folders came with the file chooser's version 3.
constexpr uint32_t kFolderVersion = 3;
// How often the wait for an answer looks whether the session bus is still there.
constexpr guint kBusCheckMs = 1000;
// A portal that is there answers at once; one that is installed but broken must not hold the
// start-up for long.
constexpr int kProbeTimeoutMs = 5000;

struct MainContextUnref {
  void operator()(GMainContext* context) const { g_main_context_unref(context); }
};

// What the dialog's request has come to, filled by the signals that end it.
struct Pending {
  bool done = false;
  FolderChoice choice;
};

FolderChoice Failed(std::string problem) {
  return {FolderChoice::Outcome::kFailed, {}, "the desktop portal: " + std::move(problem)};
}

FolderChoice ChoiceFromResponse(GVariant* parameters) {
  guint32 response = 2;
  GVariant* results = nullptr;
  g_variant_get(parameters, "(u@a{sv})", &response, &results);
  const GVariantPtr owned_results(results);
  if (response == 1) return {};
  if (response != 0) return Failed("the dialog ended without an answer");
  const char** uris = nullptr;
  if (!g_variant_lookup(results, "uris", "^a&s", &uris) || !uris || !uris[0]) {
    g_free(uris);
    return Failed("no folder in its answer");
  }
  const GObjectPtr<GFile> file(g_file_new_for_uri(uris[0]));
  g_free(uris);
  const GText path(g_file_get_path(file.get()));
  if (!path) return Failed("the folder chosen is not on this computer");
  return {FolderChoice::Outcome::kChosen, std::filesystem::path(path.get()), {}};
}

void OnResponse(GDBusConnection*, const char*, const char*, const char*, const char*,
                GVariant* parameters, gpointer data) {
  auto* pending = static_cast<Pending*>(data);
  if (pending->done) return;
  pending->choice = ChoiceFromResponse(parameters);
  pending->done = true;
}

// The portal left the bus while its dialog was open: nobody will answer.
void OnOwnerChanged(GDBusConnection*, const char*, const char*, const char*, const char*,
                    GVariant* parameters, gpointer data) {
  auto* pending = static_cast<Pending*>(data);
  const char* new_owner = "";
  g_variant_get(parameters, "(&s&s&s)", nullptr, nullptr, &new_owner);
  if (pending->done || new_owner[0] != '\0') return;
  pending->choice = Failed("it left the session bus");
  pending->done = true;
}

// The object path of the request the portal makes for `token` (its documented naming).
std::string RequestPath(GDBusConnection* connection, const std::string& token) {
  std::string sender = g_dbus_connection_get_unique_name(connection);
  if (!sender.empty() && sender[0] == ':') sender.erase(0, 1);
  for (char& c : sender) {
    if (c == '.') c = '_';
  }
  return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

// Signal subscriptions on one connection, in the context that is the thread's default while
// they are made; undone when this goes.
class Subscriptions {
 public:
  explicit Subscriptions(GDBusConnection* connection) : connection_(connection) {}
  Subscriptions(const Subscriptions&) = delete;
  Subscriptions& operator=(const Subscriptions&) = delete;
  ~Subscriptions() { Clear(); }
  void Add(const char* sender, const char* interface, const char* member, const char* path,
           const char* arg0, GDBusSignalCallback callback, Pending* pending) {
    ids_.push_back(g_dbus_connection_signal_subscribe(connection_, sender, interface, member, path,
                                                      arg0, G_DBUS_SIGNAL_FLAGS_NONE, callback,
                                                      pending, nullptr));
  }
  void Clear() {
    for (guint id : ids_) g_dbus_connection_signal_unsubscribe(connection_, id);
    ids_.clear();
  }

 private:
  GDBusConnection* connection_;
  std::vector<guint> ids_;
};

// A main context of the chooser's own, the thread's default while it lives, so that the
// dialog's signals are handled here and nowhere else.
class OwnContext {
 public:
  OwnContext() : context_(g_main_context_new()) { g_main_context_push_thread_default(Get()); }
  OwnContext(const OwnContext&) = delete;
  OwnContext& operator=(const OwnContext&) = delete;
  ~OwnContext() { g_main_context_pop_thread_default(Get()); }
  GMainContext* Get() const { return context_.get(); }

 private:
  std::unique_ptr<GMainContext, MainContextUnref> context_;
};

}  // namespace

struct PortalFolderChooser::Bus {
  GObjectPtr<GDBusConnection> connection;
  ~Bus() {
    if (connection) g_dbus_connection_close_sync(connection.get(), nullptr, nullptr);
  }
};

std::string SessionBusAddress(const char* bus_variable, const char* runtime_folder) {
  if (bus_variable && bus_variable[0] != '\0') return bus_variable;
  if (!runtime_folder || runtime_folder[0] != '/') return {};
  const std::string socket = std::string(runtime_folder) + "/bus";
  struct stat info {};
  if (::stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode)) return {};
  GText escaped(g_dbus_address_escape_value(socket.c_str()));
  return "unix:path=" + std::string(escaped.get());
}

std::unique_ptr<PortalFolderChooser> PortalFolderChooser::Connect(const std::string& bus_address) {
  if (bus_address.empty()) return nullptr;
  GErrorSlot error;
  GObjectPtr<GDBusConnection> connection(g_dbus_connection_new_for_address_sync(
      bus_address.c_str(),
      GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                           G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, error.Out()));
  if (!connection) return nullptr;
  // Asking for the version starts the portal where the bus can, and fails where none is.
  GErrorSlot probe_error;
  GVariantPtr reply(g_dbus_connection_call_sync(
      connection.get(), kPortal, kPortalPath, "org.freedesktop.DBus.Properties", "Get",
      g_variant_new("(ss)", kFileChooser, "version"), G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE,
      kProbeTimeoutMs, nullptr, probe_error.Out()));
  if (!reply) return nullptr;
  GVariant* boxed = nullptr;
  g_variant_get(reply.get(), "(v)", &boxed);
  const GVariantPtr version(boxed);
  if (!g_variant_is_of_type(version.get(), G_VARIANT_TYPE_UINT32) ||
      g_variant_get_uint32(version.get()) < kFolderVersion) {
    return nullptr;
  }
  auto bus = std::make_unique<Bus>();
  bus->connection = std::move(connection);
  return std::unique_ptr<PortalFolderChooser>(new PortalFolderChooser(std::move(bus)));
}

PortalFolderChooser::PortalFolderChooser(std::unique_ptr<Bus> bus) : bus_(std::move(bus)) {}
PortalFolderChooser::~PortalFolderChooser() = default;

FolderChoice PortalFolderChooser::Choose(const std::string& title) {
  GDBusConnection* connection = bus_->connection.get();
  if (g_dbus_connection_is_closed(connection)) return Failed("the session bus closed");
  const OwnContext context;
  Pending pending;
  Subscriptions subscriptions(connection);
  // Listening before asking: the answer may come before the call returns.
  const std::string token =
      "velmorant" + std::to_string(::getpid()) + "_" + std::to_string(++requests_);
  std::string request = RequestPath(connection, token);
  subscriptions.Add(kPortal, kRequest, "Response", request.c_str(), nullptr, OnResponse, &pending);
  subscriptions.Add("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                    "/org/freedesktop/DBus", kPortal, OnOwnerChanged, &pending);

  GVariantBuilder options;
  g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
  g_variant_builder_add(&options, "{sv}", "directory", g_variant_new_boolean(TRUE));
  g_variant_builder_add(&options, "{sv}", "modal", g_variant_new_boolean(TRUE));
  g_variant_builder_add(&options, "{sv}", "multiple", g_variant_new_boolean(FALSE));
  GErrorSlot error;
  GVariantPtr reply(g_dbus_connection_call_sync(
      connection, kPortal, kPortalPath, kFileChooser, "OpenFile",
      g_variant_new("(ssa{sv})", "", title.c_str(), &options), G_VARIANT_TYPE("(o)"),
      G_DBUS_CALL_FLAGS_NONE, G_MAXINT, nullptr, error.Out()));
  if (!reply) return Failed(error.Message("the dialog could not be opened"));
  const char* handle = nullptr;
  g_variant_get(reply.get(), "(&o)", &handle);
  if (request != handle) {
    // A portal that names its requests otherwise: listen where it says.
    request = handle;
    subscriptions.Clear();
    subscriptions.Add(kPortal, kRequest, "Response", request.c_str(), nullptr, OnResponse,
                      &pending);
    subscriptions.Add("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                      "/org/freedesktop/DBus", kPortal, OnOwnerChanged, &pending);
  }
  // Wakes the wait now and then: a bus that closes sends nothing to this context.
  GSource* tick = g_timeout_source_new(kBusCheckMs);
  g_source_set_callback(
      tick, [](gpointer) { return gboolean(G_SOURCE_CONTINUE); }, nullptr, nullptr);
  g_source_attach(tick, context.Get());
  g_source_unref(tick);
  while (!pending.done) {
    if (g_dbus_connection_is_closed(connection)) return Failed("the session bus closed");
    g_main_context_iteration(context.Get(), TRUE);
  }
  return pending.choice;
}

}  // namespace velmorant::platform
