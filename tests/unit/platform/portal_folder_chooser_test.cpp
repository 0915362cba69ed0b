// The desktop portal's folder dialog, against a portal of the test's own on a private bus.
#include "platform/chooser/portal_folder_chooser.hpp"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "support/test_files.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using Outcome = FolderChoice::Outcome;

constexpr const char* kIntrospection =
    "<node><interface name='org.freedesktop.portal.FileChooser'>"
    "<method name='OpenFile'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='a{sv}' direction='in'/><arg type='o' direction='out'/></method>"
    "<property name='version' type='u' access='read'/></interface></node>";

// A message bus of the test's own, ended with the test.
class PrivateBus {
 public:
  explicit PrivateBus(const fs::path& folder) {
    const fs::path config = folder / "bus.conf";
    // As a session bus allows: everyone may send anything and own any name.
    std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << folder.string()
                          << "</listen><auth>EXTERNAL</auth><policy context='default'>"
                             "<allow send_destination='*' eavesdrop='true'/>"
                             "<allow eavesdrop='true'/><allow own='*'/></policy></busconfig>";
    const std::string command =
        "dbus-daemon --fork --print-address=1 --print-pid=1 --config-file=" + config.string();
    if (FILE* out = ::popen(command.c_str(), "r")) {
      char line[1024];
      if (std::fgets(line, sizeof line, out)) address_ = line;
      if (std::fgets(line, sizeof line, out)) pid_ = std::atoi(line);
      ::pclose(out);
    }
    while (!address_.empty() && address_.back() == '\n') address_.pop_back();
  }
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;
  ~PrivateBus() {
    if (pid_ > 0) ::kill(pid_, SIGTERM);
  }
  const std::string& Address() const { return address_; }

 private:
  std::string address_;
  int pid_ = 0;
};

// What the test's portal answers, and what it was asked.
struct PortalScript {
  uint32_t version = 4;
  uint32_t response = 0;
  std::string uri = "file:///shows/a%20b";
  bool leave_without_answer = false;
  std::mutex mutex;
  std::string title;
  bool directory = false;
};

// The portal, served from a thread of its own as the real one serves from its process.
class FakePortal {
 public:
  FakePortal(const std::string& address, PortalScript& script) : script_(script) {
    thread_ = std::jthread([this, address] { Serve(address); });
    std::unique_lock lock(ready_mutex_);
    ready_changed_.wait(lock, [this] { return ready_; });
  }
  FakePortal(const FakePortal&) = delete;
  FakePortal& operator=(const FakePortal&) = delete;
  ~FakePortal() {
    g_main_context_invoke(
        context_,
        [](gpointer loop) {
          return g_main_loop_quit(static_cast<GMainLoop*>(loop)), gboolean(G_SOURCE_REMOVE);
        },
        loop_);
  }

 private:
  void Serve(const std::string& address) {
    context_ = g_main_context_new();
    g_main_context_push_thread_default(context_);
    loop_ = g_main_loop_new(context_, FALSE);
    connection_ = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    static const GDBusInterfaceVTable vtable = {
        &FakePortal::OnCall, &FakePortal::OnGet, nullptr, {}};
    g_dbus_connection_register_object(connection_, "/org/freedesktop/portal/desktop",
                                      node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    GVariant* owned = g_dbus_connection_call_sync(
        connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "RequestName", g_variant_new("(su)", "org.freedesktop.portal.Desktop", 0u), nullptr,
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (owned) g_variant_unref(owned);
    {
      std::lock_guard lock(ready_mutex_);
      ready_ = true;
    }
    ready_changed_.notify_all();
    g_main_loop_run(loop_);
    if (!g_dbus_connection_is_closed(connection_)) {
      g_dbus_connection_close_sync(connection_, nullptr, nullptr);
    }
    g_object_unref(connection_);
    g_main_loop_unref(loop_);
    g_main_context_pop_thread_default(context_);
    g_main_context_unref(context_);
  }

  static GVariant* OnGet(GDBusConnection*, const char*, const char*, const char*, const char*,
                         GError**, gpointer self) {
    return g_variant_new_uint32(static_cast<FakePortal*>(self)->script_.version);
  }

  static void OnCall(GDBusConnection* connection, const char* sender, const char*, const char*,
                     const char*, GVariant* parameters, GDBusMethodInvocation* invocation,
                     gpointer data) {
    PortalScript& script = static_cast<FakePortal*>(data)->script_;
    const char* title = "";
    GVariant* options = nullptr;
    g_variant_get(parameters, "(&s&s@a{sv})", nullptr, &title, &options);
    const char* token = "";
    gboolean directory = FALSE;
    g_variant_lookup(options, "handle_token", "&s", &token);
    g_variant_lookup(options, "directory", "b", &directory);
    std::string name = sender + 1;
    for (char& c : name) {
      if (c == '.') c = '_';
    }
    const std::string request = "/org/freedesktop/portal/desktop/request/" + name + "/" + token;
    g_variant_unref(options);
    {
      std::lock_guard lock(script.mutex);
      script.title = title;
      script.directory = directory;
    }
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", request.c_str()));
    if (script.leave_without_answer) {
      g_dbus_connection_flush_sync(connection, nullptr, nullptr);
      g_dbus_connection_close_sync(connection, nullptr, nullptr);
      return;
    }
    GVariantBuilder results;
    g_variant_builder_init(&results, G_VARIANT_TYPE_VARDICT);
    const char* uris[] = {script.uri.c_str(), nullptr};
    g_variant_builder_add(&results, "{sv}", "uris", g_variant_new_strv(uris, -1));
    g_dbus_connection_emit_signal(connection, sender, request.c_str(),
                                  "org.freedesktop.portal.Request", "Response",
                                  g_variant_new("(ua{sv})", script.response, &results), nullptr);
  }

  PortalScript& script_;
  GMainContext* context_ = nullptr;
  GMainLoop* loop_ = nullptr;
  GDBusConnection* connection_ = nullptr;
  std::mutex ready_mutex_;
  std::condition_variable ready_changed_;
  bool ready_ = false;
  std::jthread thread_;
};

class PortalChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = velmorant::testing::FreshTestFolder("velmorant-portal-");
    bus_ = std::make_unique<PrivateBus>(work_);
    ASSERT_NE(bus_->Address(), "") << "no dbus-daemon: run scripts/install-deps.sh";
  }
  void TearDown() override {
    bus_.reset();
    // The bus removes its socket as it goes, perhaps while this runs.
    std::error_code ignored;
    fs::remove_all(work_, ignored);
  }
  FolderChoice Ask() {
    FakePortal portal(bus_->Address(), script_);
    auto chooser = PortalFolderChooser::Connect(bus_->Address());
    if (!chooser) return {Outcome::kFailed, {}, "no portal"};
    return chooser->Choose("Pick a show");
  }

  fs::path work_;
  std::unique_ptr<PrivateBus> bus_;
  PortalScript script_;
};

TEST_F(PortalChooser, TheFolderPickedComesBackAsALocalPath) {
  const FolderChoice choice = Ask();
  EXPECT_EQ(choice.outcome, Outcome::kChosen) << choice.problem;
  EXPECT_EQ(choice.folder, "/shows/a b");
  EXPECT_EQ(script_.title, "Pick a show");
  EXPECT_TRUE(script_.directory) << "a dialog for folders";
}

TEST_F(PortalChooser, CancelFailureAndAFolderElsewhereAreToldApart) {
  script_.response = 1;
  EXPECT_EQ(Ask().outcome, Outcome::kCancelled);
  script_.response = 2;
  EXPECT_EQ(Ask().outcome, Outcome::kFailed);
  script_.response = 0;
  script_.uri = "https://example.invalid/show";
  EXPECT_EQ(Ask().outcome, Outcome::kFailed) << "not a folder the player can read";
}

TEST_F(PortalChooser, APortalThatLeavesWithoutAnswerIsAFailureNotAHang) {
  script_.leave_without_answer = true;
  const FolderChoice choice = Ask();
  EXPECT_EQ(choice.outcome, Outcome::kFailed);
  EXPECT_NE(choice.problem.find("left"), std::string::npos) << choice.problem;
}

TEST_F(PortalChooser, NoPortalOrOneThatCannotPickFoldersIsNone) {
  EXPECT_FALSE(PortalFolderChooser::Connect(bus_->Address())) << "nobody owns the portal's name";
  EXPECT_FALSE(PortalFolderChooser::Connect(""));
  script_.version = 2;
  FakePortal old(bus_->Address(), script_);
  EXPECT_FALSE(PortalFolderChooser::Connect(bus_->Address()));
}

TEST(SessionBus, TheEnvironmentFirstThenTheRuntimeFoldersSocketNeverAGuess) {
  EXPECT_EQ(SessionBusAddress("unix:path=/x", "/run/user/1"), "unix:path=/x");
  const fs::path runtime = velmorant::testing::FreshTestFolder("velmorant-runtime-");
  EXPECT_EQ(SessionBusAddress(nullptr, runtime.c_str()), "") << "no socket there";
  std::ofstream(runtime / "bus") << "a file";
  EXPECT_EQ(SessionBusAddress("", runtime.c_str()), "") << "a file is no bus";
  fs::remove(runtime / "bus");
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un where{};
  where.sun_family = AF_UNIX;
  const std::string path = (runtime / "bus").string();
  path.copy(where.sun_path, sizeof where.sun_path - 1);
  ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
  EXPECT_EQ(SessionBusAddress(nullptr, runtime.c_str()), "unix:path=" + path);
  EXPECT_EQ(SessionBusAddress(nullptr, "relative"), "");
  ::close(socket);
  fs::remove_all(runtime);
}

}  // namespace
}  // namespace velmorant::platform
