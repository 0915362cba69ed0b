#include "platform/shell/launch_plan.hpp"

#include <algorithm>
#include <filesystem>

#include "platform/shell/address_scheme.hpp"
#include "platform/shell/command_line_words.hpp"
#include "platform/shell/file_role.hpp"

namespace velmorant::platform {

namespace {

namespace fs = std::filesystem;

LaunchPlan Refused(std::string why) {
  LaunchPlan plan;
  plan.why = std::move(why);
  return plan;
}

LaunchPlan Plan(LaunchAction action, std::string target) {
  LaunchPlan plan;
  plan.action = action;
  plan.target = std::move(target);
  return plan;
}

// A local name in the request's folder when it is relative, with '\' as a separator; absolute.
std::string LocalPath(const std::string& name, const std::string& directory) {
  std::string path = name;
  std::replace(path.begin(), path.end(), '\\', '/');
  fs::path p(path);
  if (p.is_relative() && !directory.empty()) p = fs::path(directory) / p;
  std::error_code ec;
  const fs::path absolute = fs::absolute(p, ec);
  return (ec ? p : absolute).lexically_normal().string();
}

std::string AbsoluteFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::error_code ec;
  std::string absolute = fs::absolute(folder, ec).string();
  if (ec) absolute = folder;
  if (absolute.back() != '/') absolute += '/';
  return absolute;
}

LaunchPlan ProgramPlan(LaunchAction action, const std::string& path, const LaunchRequest& request) {
  const std::string folder = AbsoluteFolder(request.hash_folder);
  StartedCommandLine started = action == LaunchAction::kRunNative
                                   ? NativeCommandLine(request.parameters, folder)
                                   : WindowsCommandLine(request.parameters, folder);
  LaunchPlan plan = Plan(action, path);
  plan.command_line = std::move(started.line);
  plan.arguments = std::move(started.arguments);
  return plan;
}

}  // namespace

LaunchPlan PlanLaunch(const LaunchRequest& request) {
  if (request.file.empty()) return Refused("nothing to open");
  if (request.verb != "open" && request.verb != "explore") {
    return Refused("the verb \"" + request.verb + "\" is not supported");
  }
  if (HoldsControlCharacter(request.file)) return Refused("the name holds control characters");
  const std::string scheme = SchemeOf(request.file);
  if (!scheme.empty()) {
    if (!IsWebScheme(scheme)) {
      return Refused(
          "only web addresses (http, https, ftp, mailto) and files inside the "
          "presentation folder are opened");
    }
    if (request.verb == "explore") return Refused("not a folder");
    return Plan(LaunchAction::kOpenAddress, request.file);
  }
  const std::string path = LocalPath(request.file, request.directory);
  std::error_code ec;
  if (request.verb == "explore" || fs::is_directory(path, ec)) {
    return Plan(LaunchAction::kOpenFolder, path);
  }
  if (!request.program) {
    if (LooksLikeProgram(path)) return Refused("a program: only processes start programs");
    return Plan(LaunchAction::kOpenFile, path);
  }
  switch (RoleOfFile(path)) {
    case FileRole::kNativeProgram:
      return ProgramPlan(LaunchAction::kRunNative, path, request);
    case FileRole::kWindowsProgram:
      return ProgramPlan(LaunchAction::kRunWindows, path, request);
    case FileRole::kWindowsBatch:
      return ProgramPlan(LaunchAction::kRunWindowsBatch, path, request);
    case FileRole::kDosProgram:
      return Refused("DOS programs are not run");
    case FileRole::kDocument:
      break;
  }
  return Plan(LaunchAction::kOpenFile, path);
}

}  // namespace velmorant::platform
