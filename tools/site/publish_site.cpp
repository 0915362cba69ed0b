#include "site/publish_site.hpp"

#include <array>
#include <nlohmann/json.hpp>
#include <optional>

#include "platform/fs/case_fold.hpp"
#include "platform/fs/output_file.hpp"
#include "platform/fs/regular_file.hpp"
#include "site/chunk_writer.hpp"
#include "site/site_folder.hpp"
#include "velmorant/version.hpp"

namespace velmorant::site {

namespace {

namespace fs = std::filesystem;

// What the site's own files are called; a player file of one of these names is not copied.
constexpr std::array<const char*, 5> kSiteNames = {kSiteMarker, "show", "show.json", "show.js",
                                                   "show-chunks"};
constexpr size_t kCopyBlock = size_t{3} << 18;  // 768 KiB, whole groups of three for base64

struct Failure {
  int status;
  std::string subject;
  std::string error;
};

bool HasDefinition(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (platform::FoldCaseUtf8(it->path().filename().string()) == "info.med" &&
        it->is_regular_file(ec)) {
      return true;
    }
  }
  return false;
}

bool Overlap(const fs::path& a, const fs::path& b) {
  const fs::path ca = fs::weakly_canonical(a), cb = fs::weakly_canonical(b);
  auto [ia, ib] = std::mismatch(ca.begin(), ca.end(), cb.begin(), cb.end());
  return ia == ca.end() || ib == cb.end();
}

std::optional<Failure> CheckRequest(const PublishRequest& request) {
  std::error_code ec;
  const fs::path& dir = request.presentation;
  if (!fs::is_directory(dir, ec)) return Failure{2, dir.string(), "no such folder"};
  if (!HasDefinition(dir)) {
    return Failure{2, dir.string(), "no presentation folder: it has no info.med"};
  }
  if (!fs::is_regular_file(request.player / "index.html", ec)) {
    return Failure{2, request.player.string(),
                   "no built web player here (no index.html): run `make web` or pass --player DIR"};
  }
  if (const std::string problem = OutputProblem(request.output); !problem.empty()) {
    return Failure{2, request.output.string(), problem};
  }
  if (Overlap(request.output, dir)) {
    return Failure{2, request.output.string(), "the site and the presentation folder overlap"};
  }
  if (Overlap(request.output, request.player)) {
    return Failure{2, request.output.string(), "the site and the player folder overlap"};
  }
  return std::nullopt;
}

// Copies one file's bytes, feeding them to `chunks` too when given; the count copied.
std::optional<uint64_t> CopyFile(const fs::path& from, const fs::path& to, uint64_t max_bytes,
                                 ChunkWriter* chunks, std::string* error) {
  auto in = platform::RegularFile::Open(from, max_bytes, error);
  if (!in) return std::nullopt;
  auto out = platform::OutputFile::Create(to);
  if (!out) {
    *error = "cannot create " + to.string();
    return std::nullopt;
  }
  std::vector<uint8_t> block(kCopyBlock);
  uint64_t offset = 0;
  while (offset < in->Size()) {
    const int64_t got = in->ReadAt(offset, block.data(), block.size());
    if (got <= 0) {
      *error = got < 0 ? "cannot read the file" : "the file shrank while it was copied";
      return std::nullopt;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(block.data()), size_t(got));
    if (!out->Write(bytes) || (chunks && !chunks->Append(block.data(), size_t(got)))) {
      *error = "cannot write " + to.string();
      return std::nullopt;
    }
    offset += uint64_t(got);
  }
  if (!out->Close()) {
    *error = "cannot write " + to.string();
    return std::nullopt;
  }
  return offset;
}

void KeepExecutable(const fs::path& file) {
  std::error_code ec;
  fs::permissions(file, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                  fs::perm_options::add, ec);
}

std::optional<Failure> CopyPlayer(const fs::path& player, const fs::path& site,
                                  std::vector<Warning>& warnings) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(player, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path relative = it->path().lexically_relative(player);
    const std::string top = relative.begin()->string();
    if (std::find(kSiteNames.begin(), kSiteNames.end(), top) != kSiteNames.end()) {
      if (it.depth() == 0) warnings.push_back({it->path().string(), "left out: the site's own"});
      continue;
    }
    if (it->is_directory(ec)) {
      fs::create_directories(site / relative, ec);
      if (ec) return Failure{1, (site / relative).string(), "cannot create the folder"};
    } else if (it->is_regular_file(ec)) {
      std::string error;
      if (!CopyFile(it->path(), site / relative, UINT64_MAX, nullptr, &error)) {
        return Failure{1, it->path().string(), error};
      }
    } else {
      warnings.push_back({it->path().string(), "left out: not a regular file or a folder"});
    }
  }
  if (ec) return Failure{1, player.string(), "cannot list the folder: " + ec.message()};
  return std::nullopt;
}

bool WriteText(const fs::path& path, const std::string& text) {
  auto out = platform::OutputFile::Create(path);
  return out && out->Write(text) && out->Close();
}

// The presentation's files under show/ and in the chunks, then the manifest in both forms.
std::optional<Failure> WriteShow(const Tree& tree, const fs::path& site, int code_page,
                                 uint64_t chunk_bytes) {
  std::error_code ec;
  fs::create_directories(site / "show", ec);
  fs::create_directories(site / "show-chunks", ec);
  for (const TreeFolder& folder : tree.folders) {
    fs::create_directories(site / "show" / folder.site_path, ec);
    if (ec) return Failure{1, (site / "show" / folder.site_path).string(), ec.message()};
  }
  ChunkWriter chunks(site / "show-chunks", "show-chunks/",
                     chunk_bytes ? chunk_bytes : ChunkWriter::kDefaultChunkBytes);
  nlohmann::ordered_json manifest = {{"format", 1}, {"codepage", code_page}};
  nlohmann::ordered_json& files = manifest["files"] = nlohmann::json::array();
  for (const TreeFile& file : tree.files) {
    const fs::path to = site / "show" / file.site_path;
    std::string error;
    chunks.BeginFile(file.name);
    auto copied = CopyFile(file.source, to, file.size, &chunks, &error);
    if (!copied) return Failure{1, file.source.string(), error};
    if (!chunks.EndFile()) return Failure{1, (site / "show-chunks").string(), "cannot write"};
    if (file.executable) KeepExecutable(to);
    files.push_back({{"name", file.name},
                     {"url", file.url},
                     {"size", *copied},
                     {"executable", file.executable}});
  }
  if (!chunks.Finish()) return Failure{1, (site / "show-chunks").string(), "cannot write"};
  nlohmann::ordered_json& folders = manifest["folders"] = nlohmann::json::array();
  for (const TreeFolder& folder : tree.folders) folders.push_back(folder.name);
  const std::string json = manifest.dump(1);
  manifest["chunks"] = chunks.Urls();
  if (!WriteText(site / "show.json", json + "\n") ||
      !WriteText(site / "show.js", "velmorantShow(" + manifest.dump() + ");\n")) {
    return Failure{1, site.string(), "cannot write the manifest"};
  }
  return std::nullopt;
}

}  // namespace

PublishResult PublishSite(const PublishRequest& request, const platform::CodePage& code_page) {
  PublishResult result;
  auto fail = [&](const Failure& failure) {
    result.status = failure.status;
    result.subject = failure.subject;
    result.error = failure.error;
    return result;
  };
  if (auto failure = CheckRequest(request)) return fail(*failure);
  TreeResult read =
      ReadPresentationTree(request.presentation, code_page, request.limits, result.warnings);
  if (!read.tree) {
    return fail({2, request.presentation.string(), "too big to publish: " + read.error});
  }
  std::string error;
  auto staging = StagingFolder::Create(request.output, &error);
  if (!staging) return fail({1, request.output.string(), error});
  if (auto failure = CopyPlayer(request.player, staging->Path(), result.warnings)) {
    return fail(*failure);
  }
  if (auto failure =
          WriteShow(*read.tree, staging->Path(), code_page.Number(), request.chunk_bytes)) {
    return fail(*failure);
  }
  if (!WriteText(staging->Path() / kSiteMarker, VersionLine("velmorant-med"))) {
    return fail({1, staging->Path().string(), "cannot write the marker"});
  }
  if (!staging->Commit(&error)) return fail({1, request.output.string(), error});
  return result;
}

}  // namespace velmorant::site
