#include "platform/text/listed_font_catalog.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>
#include <tuple>

#include "platform/text/family_preferences.hpp"
#include "platform/text/font_names.hpp"

namespace velmorant::platform {

namespace {

constexpr size_t kNoMatch = std::numeric_limits<size_t>::max();

// Lower is better, compared in order: the strongest family the face answers to, the weak one,
// then how far its slant, weight and width are from the wanted ones, and last the newest face.
using Score = std::tuple<size_t, size_t, double, double, double, int64_t>;

Score ScoreOf(const ListedFace& face, const std::vector<FamilyPreference>& wanted, bool bold,
              bool italic) {
  size_t strong = kNoMatch;
  size_t weak = kNoMatch;
  for (size_t i = 0; i < wanted.size(); ++i) {
    size_t& best = wanted[i].strong ? strong : weak;
    if (best != kNoMatch) continue;
    for (const std::string& family : face.families) {
      if (FamilyKey(family) == wanted[i].key) {
        best = i;
        break;
      }
    }
  }
  const double slant = std::abs(double((italic ? kSlantItalic : kSlantRoman) - face.slant));
  const double weight = std::abs((bold ? kWeightBold : kWeightRegular) - face.weight);
  // A face without a revision is not told apart by it.
  const int64_t age = face.version < 0 ? 0 : std::numeric_limits<int32_t>::max() - face.version;
  return {strong, weak, slant, weight, std::abs(kWidthNormal - face.width), age};
}

bool IsFontFileName(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".ttf" || ext == ".otf" || ext == ".ttc";
}

}  // namespace

ListedFontCatalog::ListedFontCatalog(const std::vector<std::string>& files) {
  const FtLibraryHandle library = StartFreeType();
  for (const std::string& file : files) {
    std::vector<ListedFace> faces = ScanFontFile(library.get(), file);
    std::move(faces.begin(), faces.end(), std::back_inserter(faces_));
  }
}

std::vector<std::string> ListedFontCatalog::FontFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    if (it->is_regular_file(type_error) && IsFontFileName(it->path())) {
      files.push_back(it->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

ListedFontCatalog ListedFontCatalog::FromFolder(const std::string& folder) {
  return ListedFontCatalog(FontFilesIn(folder));
}

std::optional<FontAnswer> ListedFontCatalog::Find(const FontQuery& query) const {
  const std::vector<FamilyPreference> wanted = ExpandFamilies(query.families);
  const ListedFace* best = nullptr;
  Score best_score;
  for (const ListedFace& face : faces_) {
    const Score score = ScoreOf(face, wanted, query.bold, query.italic);
    if (!best || score < best_score) {
      best = &face;
      best_score = score;
    }
  }
  if (!best) return std::nullopt;
  FontAnswer answer;
  answer.match.file = best->file;
  answer.match.index = best->index;
  if (!best->families.empty()) answer.match.family = best->families.front();
  answer.match.face_is_bold = best->weight >= kWeightDemibold;
  answer.match.face_is_italic = best->slant != kSlantRoman;
  answer.families = best->families;
  return answer;
}

std::set<std::string> ListedFontCatalog::InstalledFamilies() const {
  std::set<std::string> families;
  for (const ListedFace& face : faces_) {
    for (const std::string& family : face.families) families.insert(FamilyKey(family));
  }
  return families;
}

}  // namespace velmorant::platform
