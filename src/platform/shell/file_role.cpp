#include "platform/shell/file_role.hpp"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <string_view>

#include "platform/fs/case_fold.hpp"
#include "platform/fs/file_head.hpp"

namespace velmorant::platform {

namespace {

using Head = std::string;

Head HeadOf(const std::string& path) {
  return ReadFileHead(path, 4);
}

bool IsElf(const Head& h) {
  return h.starts_with(
      "\x7f"
      "ELF");
}

bool IsScript(const Head& h) {
  return h.starts_with("#!");
}

bool IsWindowsExecutable(const Head& h) {
  return h.starts_with("MZ");
}

bool StartsLikeProgram(const std::string& path) {
  const Head head = HeadOf(path);
  return IsElf(head) || IsScript(head);
}

}  // namespace

FileRole RoleOfFile(const std::string& path) {
  const std::string extension = FoldCaseUtf8(std::filesystem::path(path).extension().string());
  if (extension == ".exe") return FileRole::kWindowsProgram;
  if (extension == ".bat" || extension == ".cmd") return FileRole::kWindowsBatch;
  if (extension == ".com") return FileRole::kDosProgram;
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0 &&
      StartsLikeProgram(path)) {
    return FileRole::kNativeProgram;
  }
  return FileRole::kDocument;
}

bool LooksLikeProgram(const std::string& path) {
  const std::string extension = FoldCaseUtf8(std::filesystem::path(path).extension().string());
  // What Windows, wine or a Linux desktop would run when asked to open it.
  constexpr std::array<std::string_view, 12> kPrograms{".exe",     ".com", ".bat", ".cmd",
                                                       ".pif",     ".scr", ".msi", ".lnk",
                                                       ".desktop", ".sh",  ".vbs", ".jar"};
  for (std::string_view program : kPrograms) {
    if (extension == program) return true;
  }
  const Head head = HeadOf(path);
  return IsElf(head) || IsScript(head) || IsWindowsExecutable(head);
}

}  // namespace velmorant::platform
