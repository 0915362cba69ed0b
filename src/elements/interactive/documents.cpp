#include "elements/interactive/documents.hpp"

#include "sequence/element_host.hpp"

namespace velmorant {

LaunchingKind::Buttons TDoki::ButtonsOf(int32_t index) const {
  const TDok& r = RecordAt(index);
  return {r.MapIndex, r.OpenRegion, r.CloseRegion, r.AutoOpen != 0};
}

std::optional<LaunchingKind::Opening> TDoki::OpeningOf(int32_t index) {
  const TDok& r = RecordAt(index);
  if (r.Folder.empty()) return std::nullopt;
  AssetSource& assets = host_.Assets();
  if (r.FileName.empty()) {
    return AssetOpening("explore", kAssetDocuments, r.Folder, assets.FolderOf(kAssetDocuments));
  }
  return AssetOpening("open", kAssetDocuments, r.Folder + "\\" + r.FileName,
                      assets.PathOf(kAssetDocuments, r.Folder));
}

}  // namespace velmorant
