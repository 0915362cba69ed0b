#include "platform/text/rich_document.hpp"

#include <algorithm>

namespace velmorant::platform {

size_t RichDocument::RunAt(size_t p) const {
  const auto after = std::upper_bound(char_runs.begin(), char_runs.end(), p,
                                      [](size_t pos, const StyleRun& r) { return pos < r.start; });
  return after == char_runs.begin() ? 0 : size_t(after - char_runs.begin()) - 1;
}

const CharStyle& RichDocument::StyleAt(size_t p) const {
  return char_styles[char_runs[RunAt(p)].style];
}

const RichPicture* RichDocument::PictureAt(size_t p) const {
  const auto it = std::lower_bound(
      pictures.begin(), pictures.end(), p,
      [](const RichPicture& picture, size_t pos) { return picture.position < pos; });
  return it != pictures.end() && it->position == p ? &*it : nullptr;
}

std::vector<Phrase> FindPhrases(const RichDocument& doc, size_t limit) {
  std::vector<Phrase> phrases;
  int64_t start = -1;
  for (size_t r = 0; r < doc.char_runs.size() && phrases.size() < limit; ++r) {
    const bool underlined = doc.char_styles[doc.char_runs[r].style].underline;
    const int64_t at = doc.char_runs[r].start;
    if (underlined && start < 0) {
      start = at;
    } else if (!underlined && start >= 0) {
      phrases.push_back({int32_t(start), int32_t(at)});
      start = -1;
    }
  }
  if (start >= 0 && phrases.size() < limit) {
    phrases.push_back({int32_t(start), int32_t(doc.Length())});
  }
  return phrases;
}

}  // namespace velmorant::platform
