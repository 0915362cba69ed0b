#include "platform/chooser/zenity_folder_chooser.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/shell/spawn_attributes.hpp"

extern char** environ;

namespace velmorant::platform {

namespace {

// Far more than any path the dialog prints: what follows is not read.
constexpr size_t kMaxAnswerBytes = 64 * 1024;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Waits for the dialog to end: its exit status, or -1 when it did not exit by itself.
int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

FolderChoice Failed(std::string problem) {
  return {FolderChoice::Outcome::kFailed, {}, "zenity: " + std::move(problem)};
}

}  // namespace

std::optional<std::filesystem::path> FindOnPath(const std::string& name,
                                                const char* path_variable) {
  if (!path_variable) return std::nullopt;
  std::string_view rest = path_variable;
  while (true) {
    const size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    // An empty entry means the current folder: not a place to take a program from.
    if (!folder.empty() && folder[0] == '/') {
      const std::filesystem::path candidate = std::filesystem::path(folder) / name;
      std::error_code ec;
      if (std::filesystem::is_regular_file(candidate, ec) &&
          ::access(candidate.c_str(), X_OK) == 0) {
        return candidate;
      }
    }
    if (colon == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(colon + 1);
  }
}

std::optional<ZenityFolderChooser> ZenityFolderChooser::Find(const char* path_variable) {
  auto program = FindOnPath("zenity", path_variable);
  if (!program) return std::nullopt;
  return ZenityFolderChooser(std::move(*program));
}

FolderChoice ZenityFolderChooser::Choose(const std::string& title) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return Failed(std::strerror(errno));
  Descriptor reading(ends[0]);
  Descriptor writing(ends[1]);

  SpawnAttributes spawn;
  // Its answer on the pipe; no input, and its toolkit's chatter kept off the player's stderr.
  ::posix_spawn_file_actions_addopen(spawn.Actions(), 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(spawn.Actions(), writing.Get(), 1);
  ::posix_spawn_file_actions_addopen(spawn.Actions(), 2, "/dev/null", O_WRONLY, 0);
  spawn.FreshSignals();

  const std::string title_option = "--title=" + title;
  std::vector<std::string> argv = {program_.string(), "--file-selection", "--directory",
                                   title_option};
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  const int error =
      ::posix_spawn(&pid, program_.c_str(), spawn.Actions(), spawn.Attr(), args.data(), environ);
  if (error != 0) return Failed(std::strerror(error));
  writing.Close();

  std::string answer;
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(reading.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    if (answer.size() < kMaxAnswerBytes) answer.append(buffer, size_t(got));
  }
  reading.Close();
  const int status = WaitFor(pid);
  if (status == 1) return {};
  if (status < 0) return Failed("the dialog did not end by itself");
  if (status != 0) return Failed("the dialog ended with status " + std::to_string(status));
  // One path and a line break; a name may itself hold line breaks, so only the last one goes.
  if (!answer.empty() && answer.back() == '\n') answer.pop_back();
  if (answer.empty() || answer.size() >= kMaxAnswerBytes) return Failed("no folder in its answer");
  return {FolderChoice::Outcome::kChosen, std::filesystem::path(answer), {}};
}

}  // namespace velmorant::platform
