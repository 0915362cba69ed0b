// velmorant-med: prints an info.med as JSON (dump), writes one from JSON (build) and reports what
// would break a presentation folder (check), and publishes one with the web player (web).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "check/presentation_check.hpp"
#include "definition/editions.hpp"
#include "definition/json_form.hpp"
#include "definition/loader.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "platform/text/guarded_run.hpp"
#include "site/publish_site.hpp"
#include "tool_common.hpp"
#include "velmorant/version.hpp"

namespace {

using namespace velmorant;

constexpr const char* kUsage =
    "usage: velmorant-med dump FILE.med [--codepage N]\n"
    "       velmorant-med build FILE.json -o OUT [--edition a..g] [--codepage N]\n"
    "       velmorant-med check DIR [--json] [--codepage N]\n"
    "       velmorant-med web DIR OUT [--player DIR] [--codepage N]\n"
    "\n"
    "dump   prints the definition as JSON on standard output\n"
    "build  writes a definition from JSON (missing keys take their defaults); the edition\n"
    "       comes from the JSON's \"edition\" unless --edition is given\n"
    "check  reports what would break the presentation in DIR (or DIR/info.med), one finding a\n"
    "       line: error, warning or note, the record and the file; --json gives JSON Lines.\n"
    "       Exit status 0 without errors, 1 with errors, 2 for a usage error\n"
    "web    writes the presentation in DIR with the web player as a static site in OUT, to\n"
    "       serve over http or open from disk; OUT must be absent, empty or an earlier site\n"
    "       (which is replaced). Names not in UTF-8 are decoded with --codepage. At most\n"
    "       2 GiB and 100000 files. Exit status 0 published, 1 failed, 2 refused\n"
    "--player DIR  the built web player (default: " VELMORANT_WEB_PLAYER_DIR
    ", from `make web`)\n"
    "--codepage N  code page of the definition's texts: 874 or 1250 to 1258 (default 1250)\n"
    "--version     the tool's name and version\n";

struct Options {
  std::string command;
  std::string input;
  std::string output;
  std::string site;
  std::string player = VELMORANT_WEB_PLAYER_DIR;
  std::optional<char> edition;
  bool json = false;
  int code_page = platform::CodePage::kDefault;
};

int UsageError(const std::string& message) {
  std::fprintf(stderr, "velmorant-med: %s\n%s", message.c_str(), kUsage);
  return 2;
}

// Fills `options`; returns an exit status when the run should stop here.
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--version") {
      std::fputs(VersionLine("velmorant-med").c_str(), stdout);
      return 0;
    } else if (arg == "-o" || arg == "--output") {
      auto v = value();
      if (!v) return UsageError(arg + " needs a file name");
      options.output = *v;
    } else if (arg == "--player") {
      auto v = value();
      if (!v) return UsageError("--player needs a folder");
      options.player = *v;
    } else if (arg == "--edition") {
      auto v = value();
      if (!v || v->size() != 1 || !IsKnownEdition(static_cast<signed char>((*v)[0]))) {
        return UsageError("--edition needs one letter from a to g");
      }
      options.edition = (*v)[0];
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--codepage") {
      auto v = value();
      auto number = v ? tools::ParseCodePageNumber(*v) : std::nullopt;
      if (!number) return UsageError("--codepage needs a number");
      options.code_page = *number;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) return UsageError("expected a command");
  options.command = positional[0];
  if (options.command != "dump" && options.command != "build" && options.command != "check" &&
      options.command != "web") {
    return UsageError("unknown command " + options.command);
  }
  const bool web = options.command == "web";
  if (positional.size() != (web ? 3u : 2u)) {
    return UsageError(web ? "web needs DIR and OUT" : "expected a command and a file");
  }
  options.input = positional[1];
  if (web) options.site = positional[2];
  if (options.json && options.command != "check") return UsageError("--json is for check");
  if (options.player != VELMORANT_WEB_PLAYER_DIR && !web) return UsageError("--player is for web");
  if (options.command == "build" && options.output.empty()) return UsageError("build needs -o OUT");
  return std::nullopt;
}

int Fail(const std::string& file, const std::string& message) {
  return tools::Fail("velmorant-med", file, message);
}

int Dump(const Options& options, const platform::CodePage& code_page) {
  auto bytes = platform::ReadFileBytes(options.input, kMaxDefinitionBytes);
  if (!bytes) return Fail(options.input, bytes.error());
  // The tool checks no size stamp: it is not a stamped player.
  auto loaded = LoadDefinition(*bytes, "??????");
  if (!loaded.definition) return Fail(options.input, loaded.error.Message());
  std::fputs(DefinitionToJson(*loaded.definition, code_page).c_str(), stdout);
  return std::ferror(stdout) ? 1 : 0;
}

// An older edition has no place for some fields: say which values the written file loses.
void WarnAboutLeftOutFields(const Definition& wanted, const std::vector<uint8_t>& bytes,
                            const platform::CodePage& code_page) {
  auto reloaded = LoadDefinition(bytes, "??????");
  if (!reloaded.definition || *reloaded.definition == wanted) return;
  const auto patch = nlohmann::json::diff(
      nlohmann::json::parse(DefinitionToJson(wanted, code_page)),
      nlohmann::json::parse(DefinitionToJson(*reloaded.definition, code_page)));
  constexpr size_t kShown = 10;
  for (size_t i = 0; i < patch.size() && i < kShown; ++i) {
    std::fprintf(stderr, "velmorant-med: warning: edition %c leaves out %s\n", wanted.edition,
                 patch[i]["path"].get<std::string>().c_str());
  }
  if (patch.size() > kShown) {
    std::fprintf(stderr, "velmorant-med: warning: ... and %zu more\n", patch.size() - kShown);
  }
}

int Build(const Options& options, const platform::CodePage& code_page) {
  auto text = platform::ReadFileBytes(options.input, tools::kMaxInputBytes);
  if (!text) return Fail(options.input, text.error());
  const std::string_view json(reinterpret_cast<const char*>(text->data()), text->size());
  auto parsed = DefinitionFromJson(json, code_page, options.edition);
  if (!parsed.definition) return Fail(options.input, parsed.error);
  auto written = WriteDefinition(*parsed.definition, parsed.definition->edition);
  if (!written.error.empty()) return Fail(options.input, written.error);
  WarnAboutLeftOutFields(*parsed.definition, written.bytes, code_page);
  std::ofstream out(options.output, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(written.bytes.data()),
            std::streamsize(written.bytes.size()));
  out.close();
  if (!out) return Fail(options.output, "cannot write the file");
  return 0;
}

int Check(const Options& options, const platform::CodePage& code_page) {
  std::error_code ec;
  const std::filesystem::path folder = PresentationFolder(options.input);
  if (!std::filesystem::is_directory(folder, ec)) {
    return UsageError(options.input + " is no presentation folder");
  }
  const check::Findings findings = check::CheckPresentation(folder, code_page);
  for (const check::Finding& finding : findings.All()) {
    const std::string line = options.json ? check::FormatJson(finding) : check::FormatLine(finding);
    std::fputs((line + "\n").c_str(), stdout);
  }
  std::fflush(stdout);
  if (std::ferror(stdout)) return 1;
  return findings.Count(check::Severity::kError) > 0 ? 1 : 0;
}

int Web(const Options& options, const platform::CodePage& code_page) {
  site::PublishRequest request;
  request.presentation = options.input;
  request.output = options.site;
  request.player = options.player;
  const site::PublishResult result = site::PublishSite(request, code_page);
  for (const site::Warning& warning : result.warnings) {
    std::fputs(
        platform::WarningLine(warning.subject, "warning: " + warning.why, "velmorant-med").c_str(),
        stderr);
  }
  if (result.status != 0) tools::Fail("velmorant-med", result.subject, result.error);
  return result.status;
}

}  // namespace

int main(int argc, char** argv) {
  return platform::GuardedRun("velmorant-med", [&] {
    Options options;
    if (auto status = ParseArguments(argc, argv, options)) return *status;
    std::string problem;
    auto code_page = platform::CodePage::Open(options.code_page, &problem);
    if (!code_page) return UsageError(problem);
    if (options.command == "check") return Check(options, *code_page);
    if (options.command == "web") return Web(options, *code_page);
    return options.command == "dump" ? Dump(options, *code_page) : Build(options, *code_page);
  });
}
