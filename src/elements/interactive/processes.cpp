#include "elements/interactive/processes.hpp"

#include "sequence/element_host.hpp"

namespace velmorant {

LaunchingKind::Buttons TProcesy::ButtonsOf(int32_t index) const {
  const TPro& r = RecordAt(index);
  return {r.MapIndex, r.StartRegion, r.StopRegion, r.AutoStart != 0};
}

std::optional<LaunchingKind::Opening> TProcesy::OpeningOf(int32_t index) {
  const TPro& r = RecordAt(index);
  if (r.FileName.empty()) return std::nullopt;
  AssetSource& assets = host_.Assets();
  Opening opening =
      AssetOpening("open", kAssetProcesses, r.FileName, assets.FolderOf(kAssetProcesses));
  // The launcher writes the folder for '#' the way the program reads paths (natively or under
  // wine).
  opening.request.parameters = host_.ToUtf8(r.Parameters);
  opening.request.hash_folder = assets.PresentationFolder();
  opening.request.program = true;
  return opening;
}

void TProcesy::PreloadFile(int32_t index) {
  const TPro& r = RecordAt(index);
  if (!r.FileName.empty()) host_.Assets().WarmUp(kAssetProcesses, r.FileName);
}

}  // namespace velmorant
