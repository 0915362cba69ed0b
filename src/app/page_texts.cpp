#include "app/page_texts.hpp"

#include <set>

#include "elements/visual/captions.hpp"

namespace velmorant {

namespace {

std::set<int32_t> MapsOf(const Definition& d, const TEkr& screen) {
  std::set<int32_t> maps(screen.Maps.Items().begin(), screen.Maps.Items().end());
  auto add = [&](const TIntWektor& set, const auto& table) {
    for (int32_t index : set.Items()) {
      if (index >= 0 && size_t(index) < table.size()) maps.insert(table[size_t(index)].MapIndex);
    }
  };
  add(screen.Images, d.TObrazy);
  add(screen.Texts, d.TTeksty);
  add(screen.Sounds, d.TDzwieki);
  add(screen.Films, d.TFilmy);
  add(screen.Animations, d.TAnimacje);
  add(screen.Links, d.TLinki);
  add(screen.Documents, d.TDoki);
  add(screen.Processes, d.TProcesy);
  add(screen.Sandwiches, d.TSandwicze);
  return maps;
}

}  // namespace

std::vector<std::string> PageTexts(const Definition& d, int32_t page, AssetSource& assets,
                                   const platform::CodePage& codes) {
  std::vector<std::string> texts;
  if (page < 0 || size_t(page) >= d.TMedia.size()) return texts;
  const int32_t screen_index = d.TMedia[size_t(page)].Screen;
  if (screen_index < 0 || size_t(screen_index) >= d.TEkrany.size()) return texts;
  const TEkr& screen = d.TEkrany[size_t(screen_index)];
  for (int32_t index : screen.Captions.Items()) {
    if (index < 0 || size_t(index) >= d.TNapisy.size()) continue;
    const TNap& caption = d.TNapisy[size_t(index)];
    if (caption.FileName.empty()) continue;
    const auto bytes = assets.FileStart(kAssetCaptions, caption.FileName, kMaxCaptionBytes);
    if (!bytes) continue;
    std::string text =
        DecodeCaptionText({reinterpret_cast<const char*>(bytes->data()), bytes->size()},
                          caption.Charset, codes.Number());
    if (!text.empty()) texts.push_back(std::move(text));
  }
  std::set<std::string> hints;
  for (int32_t map : MapsOf(d, screen)) {
    if (map < 0 || size_t(map) >= d.TMapy.size()) continue;
    for (const auto& region : d.TMapy[size_t(map)].Regions) {
      std::string hint = codes.ToUtf8(region.Hint);
      if (!hint.empty() && hints.insert(hint).second) texts.push_back(std::move(hint));
    }
  }
  return texts;
}

}  // namespace velmorant
