#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace velmorant::testing {

namespace fs = std::filesystem;

// What a recording program wrote about one run of itself.
struct RunRecord {
  int pid = 0;
  int child = 0;  // a process it started in the background
  std::string cwd;
  std::vector<std::string> args;
};

// A desktop for tests, in temporary XDG folders: one viewer application, the default for plain
// text, folders and web addresses, that records each run of itself (local files arrive as paths).
// Made once per test program, before the desktop's application database is first read, which caches
// those folders.
class DesktopSandbox {
 public:
  static const DesktopSandbox& Get() {
    static const DesktopSandbox sandbox;
    return sandbox;
  }

  // A shell script that records its run into the records folder, then stays until it is ended
  // (with a child of its own), or ends at once; one that stays may ignore the polite signal.
  enum class Stays { kNo, kYes, kIgnoringTerm };
  fs::path MakeRecorder(const fs::path& path, Stays stays) const {
    std::ofstream out(path);
    std::string record = "\"";  // appended to, as GCC 12 misjudges "\"" + string
    record += records.string() + "/$$";
    // Off the test's output, which the test runner waits to be closed.
    out << "#!/bin/sh\nexec </dev/null >/dev/null 2>&1\n";
    if (stays == Stays::kIgnoringTerm) out << "trap '' TERM\n";
    out << (stays == Stays::kNo ? "child=0\n" : "sleep 60 &\nchild=$!\n")
        << "{ printf 'cwd=%s\\nchild=%s\\n' \"$(pwd)\" \"$child\"\n"
        << "  for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; done; } > " << record << ".tmp\"\n"
        << "mv " << record << ".tmp\" " << record << "\"\n";
    if (stays != Stays::kNo) out << "wait\n";
    out.close();
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
  }

  // The run records made so far.
  std::set<std::string> Seen() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(records)) {
      if (e.path().extension() != ".tmp") names.insert(e.path().filename().string());
    }
    return names;
  }

  // The first record not in `seen`, waited for up to ten seconds.
  std::optional<RunRecord> NextRun(std::set<std::string>& seen) const {
    for (int tries = 0; tries < 1000; ++tries) {
      for (const std::string& name : Seen()) {
        if (seen.insert(name).second) return Read(name);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
  }

  fs::path root;
  fs::path records;
  fs::path viewer;

 private:
  ~DesktopSandbox() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  DesktopSandbox() {
    root = fs::temp_directory_path() / ("velmorant-desktop-" + std::to_string(::getpid()));
    records = root / "records";
    fs::create_directories(records);
    fs::create_directories(root / "data/applications");
    fs::create_directories(root / "config");
    viewer = MakeRecorder(root / "viewer.sh", Stays::kYes);
    const char* types = "text/plain;inode/directory;x-scheme-handler/http;x-scheme-handler/https;";
    std::ofstream(root / "data/applications/velmorant-test-viewer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test viewer\nExec=" << viewer.string()
        << " %u\nMimeType=" << types << "\n";
    std::ofstream list(root / "config/mimeapps.list");
    list << "[Default Applications]\n";
    for (const char* type :
         {"text/plain", "inode/directory", "x-scheme-handler/http", "x-scheme-handler/https"}) {
      list << type << "=velmorant-test-viewer.desktop\n";
    }
    list.close();
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    // No session bus to announce launches on, and none to be started.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (root / "no-bus").string()).c_str(), 1);
  }

  RunRecord Read(const std::string& name) const {
    RunRecord run;
    run.pid = std::stoi(name);
    std::ifstream in(records / name);
    for (std::string line; std::getline(in, line);) {
      const auto eq = line.find('=');
      const std::string key = line.substr(0, eq);
      const std::string value = line.substr(eq + 1);
      if (key == "cwd") run.cwd = value;
      if (key == "child") run.child = std::stoi(value);
      if (key == "arg") run.args.push_back(value);
    }
    return run;
  }
};

// Whether a process has ended (gone, or a zombie nobody has collected yet).
inline bool HasEnded(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return true;
  const auto paren = stat.rfind(')');
  return paren == std::string::npos || paren + 2 >= stat.size() || stat[paren + 2] == 'Z';
}

// Waits up to ten seconds for a process to end.
inline bool WaitUntilEnded(int pid) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (HasEnded(pid)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace velmorant::testing
