#include "site/presentation_tree.hpp"

#include <algorithm>
#include <set>

#include "site/site_names.hpp"

namespace velmorant::site {

namespace {

namespace fs = std::filesystem;

struct Entry {
  fs::path path;
  std::string raw;
  std::string name;
  bool decoded = false;
};

bool Inside(const fs::path& canonical, const fs::path& root) {
  auto [root_end, unused] =
      std::mismatch(root.begin(), root.end(), canonical.begin(), canonical.end());
  return root_end == root.end();
}

class TreeReader {
 public:
  TreeReader(const fs::path& root, const platform::CodePage& code_page, const TreeLimits& limits,
             std::vector<Warning>& warnings)
      : root_(fs::canonical(root)), code_page_(code_page), limits_(limits), warnings_(warnings) {}

  TreeResult Read() {
    std::vector<fs::path> chain{root_};
    Visit(root_, "", "", chain);
    if (!error_.empty()) return {std::nullopt, error_};
    return {std::move(tree_), {}};
  }

 private:
  void Visit(const fs::path& dir, const std::string& name_prefix, const std::string& site_prefix,
             std::vector<fs::path>& chain) {
    FolderNames names;
    for (const Entry& entry : SortedEntries(dir)) {
      if (!error_.empty()) return;
      const std::string shown = name_prefix + entry.name;
      if (const std::string problem = SegmentProblem(entry.name); !problem.empty()) {
        Warn(shown, "left out: " + problem);
        continue;
      }
      std::error_code ec;
      const fs::file_status link = fs::symlink_status(entry.path, ec);
      fs::path target = entry.path;
      if (fs::is_symlink(link)) {
        target = fs::canonical(entry.path, ec);
        if (ec) {
          Warn(shown, "left out: a link to nothing");
          continue;
        }
        if (!Inside(target, root_)) {
          Warn(shown, "left out: a link to outside the presentation folder");
          continue;
        }
      }
      const fs::file_status status = fs::status(target, ec);
      if (fs::is_directory(status)) {
        if (std::find(chain.begin(), chain.end(), target) != chain.end()) {
          Warn(shown, "left out: a link to a folder that holds it");
          continue;
        }
        if (!Count(0)) return;
        const FolderNames::Given given = TakeName(names, entry.name, name_prefix, site_prefix);
        TreeFolder folder{name_prefix + given.name, site_prefix + given.url};
        tree_.folders.push_back(folder);
        chain.push_back(target);
        Visit(target, folder.name + "/", folder.site_path + "/", chain);
        chain.pop_back();
      } else if (fs::is_regular_file(status)) {
        const uint64_t size = fs::file_size(target, ec);
        if (ec) {
          Warn(shown, "left out: " + ec.message());
          continue;
        }
        if (!Count(size)) return;
        const FolderNames::Given given = TakeName(names, entry.name, name_prefix, site_prefix);
        TreeFile file;
        file.source = target;
        file.name = name_prefix + given.name;
        file.site_path = site_prefix + given.url;
        file.url = "show/" + UrlOf(file.site_path);
        file.size = size;
        file.executable = (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
        tree_.files.push_back(std::move(file));
      } else {
        Warn(shown, "left out: not a regular file or a folder");
      }
    }
  }

  // Names already in UTF-8 come first, so that a decoded name never takes theirs.
  std::vector<Entry> SortedEntries(const fs::path& dir) {
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      Entry entry{it->path(), it->path().filename().string(), {}, false};
      entry.name = DecodeSegment(entry.raw, code_page_, &entry.decoded);
      entries.push_back(std::move(entry));
    }
    if (ec) Warn(dir.string(), "cannot list the folder: " + ec.message());
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      return std::tie(a.decoded, a.raw) < std::tie(b.decoded, b.raw);
    });
    return entries;
  }

  bool Count(uint64_t bytes) {
    ++entries_;
    tree_.total_bytes += bytes;
    if (entries_ > limits_.max_entries) {
      error_ = "more than " + std::to_string(limits_.max_entries) + " files and folders";
    } else if (tree_.total_bytes > limits_.max_bytes) {
      error_ = "more than " + std::to_string(limits_.max_bytes >> 20) + " MiB of files";
    }
    return error_.empty();
  }

  FolderNames::Given TakeName(FolderNames& names, const std::string& wanted,
                              const std::string& name_prefix, const std::string& site_prefix) {
    FolderNames::Given given = names.Take(wanted);
    const std::string shown = name_prefix + wanted;
    if (given.name != wanted) {
      Warn(shown, "another file has this name after decoding: kept as " + name_prefix + given.name);
    } else if (given.url != given.name) {
      Warn(shown, "another file's name differs only in case: kept, at show/" +
                      UrlOf(site_prefix + given.url));
    }
    return given;
  }

  static std::string UrlOf(const std::string& site_path) {
    std::string url;
    for (size_t start = 0;;) {
      const size_t slash = site_path.find('/', start);
      url += PercentEncode(std::string_view(site_path).substr(start, slash - start));
      if (slash == std::string::npos) return url;
      url += '/';
      start = slash + 1;
    }
  }

  void Warn(const std::string& subject, const std::string& why) {
    warnings_.push_back({subject, why});
  }

  fs::path root_;
  const platform::CodePage& code_page_;
  TreeLimits limits_;
  std::vector<Warning>& warnings_;
  Tree tree_;
  size_t entries_ = 0;
  std::string error_;
};

}  // namespace

TreeResult ReadPresentationTree(const fs::path& root, const platform::CodePage& code_page,
                                const TreeLimits& limits, std::vector<Warning>& warnings) {
  return TreeReader(root, code_page, limits, warnings).Read();
}

}  // namespace velmorant::site
