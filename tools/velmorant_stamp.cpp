// velmorant-stamp: writes the byte size of a definition into a player's size stamp, in place.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "definition/size_stamp.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/fs/regular_file.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "platform/text/guarded_run.hpp"
#include "tool_common.hpp"
#include "velmorant/version.hpp"

namespace {

using namespace velmorant;

constexpr const char* kUsage =
    "usage: velmorant-stamp PLAYER DEFINITION [--codepage N]\n"
    "\n"
    "Writes the byte size of DEFINITION (an info.med, at most 999999 bytes) into the size stamp\n"
    "of the PLAYER executable; the stamped player then loads only a definition of that size.\n"
    "\n"
    "--codepage N  accepted as velmorant-med takes it; the stamp holds no text\n"
    "--version     the tool's name and version\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "velmorant-stamp: %s\n%s", message.c_str(), kUsage);
  return 2;
}

int Fail(const std::string& file, const std::string& message) {
  return tools::Fail("velmorant-stamp", file, message);
}

int Stamp(int argc, char** argv) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::fputs(VersionLine("velmorant-stamp").c_str(), stdout);
      return 0;
    }
    if (arg == "--codepage") {
      // Accepted for symmetry with velmorant-med; the stamp holds no text.
      std::string problem;
      auto number = i + 1 < argc ? tools::ParseCodePageNumber(argv[++i]) : std::nullopt;
      if (!number || !platform::CodePage::Open(*number, &problem)) {
        return UsageError(problem.empty() ? "--codepage needs a number" : problem);
      }
      continue;
    }
    if (!arg.empty() && arg[0] == '-') return UsageError("unknown option " + arg);
    positional.push_back(arg);
  }
  if (positional.size() != 2) return UsageError("expected PLAYER and DEFINITION");
  const std::string& player = positional[0];
  const std::string& definition = positional[1];

  std::string problem;
  const auto definition_file = platform::RegularFile::Open(definition, UINT64_MAX, &problem);
  if (!definition_file) return Fail(definition, problem);
  const uint64_t size = definition_file->Size();
  auto field = SizeStampField(size);
  if (!field) {
    return Fail(definition, "the file has " + std::to_string(size) +
                                " bytes; a size stamp holds at most 999999");
  }
  auto image = platform::ReadFileBytes(player, tools::kMaxInputBytes);
  if (!image) return Fail(player, image.error());
  auto locations = FindSizeStamps(*image);
  if (locations.offsets.empty()) return Fail(player, locations.error);

  std::fstream out(player, std::ios::binary | std::ios::in | std::ios::out);
  for (size_t offset : locations.offsets) {
    out.seekp(std::streamoff(offset));
    out.write(field->data(), std::streamsize(field->size()));
  }
  out.close();
  if (!out) return Fail(player, "cannot write the stamp");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return platform::GuardedRun("velmorant-stamp", [&] { return Stamp(argc, argv); });
}
