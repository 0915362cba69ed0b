#include "elements/interactive/links.hpp"

#include "sequence/element_host.hpp"

namespace velmorant {

LaunchingKind::Buttons TLinki::ButtonsOf(int32_t index) const {
  const TLin& r = RecordAt(index);
  return {r.MapIndex, r.OpenRegion, r.CloseRegion, r.AutoOpen != 0};
}

std::optional<LaunchingKind::Opening> TLinki::OpeningOf(int32_t index) {
  const TLin& r = RecordAt(index);
  const std::string folder = host_.Assets().FolderOf(kAssetLinks);
  // The file wins when both are given.
  if (!r.FileName.empty()) return AssetOpening("open", kAssetLinks, r.FileName, folder);
  // The target goes to the desktop as given; a relative one is found in the links folder.
  if (!r.Target.empty()) return Opening{{"open", host_.ToUtf8(r.Target), {}, folder, {}}, false};
  return std::nullopt;
}

void TLinki::PreloadFile(int32_t index) {
  const TLin& r = RecordAt(index);
  if (!r.FileName.empty()) host_.Assets().WarmUp(kAssetLinks, r.FileName);
}

}  // namespace velmorant
