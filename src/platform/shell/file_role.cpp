#include "platform/shell/file_role.hpp"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "platform/fs/case_fold.hpp"

namespace velmorant::platform {

namespace {

bool StartsLikeProgram(const std::string& path) {
  std::array<char, 4> head{};
  std::ifstream in(path, std::ios::binary);
  in.read(head.data(), head.size());
  const auto n = in.gcount();
  if (n >= 4 && head[0] == '\x7f' && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') {
    return true;
  }
  return n >= 2 && head[0] == '#' && head[1] == '!';
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

}  // namespace velmorant::platform
