#include "elements/interactive/links.hpp"

#include "elements/interactive/link_target.hpp"
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
  if (r.Target.empty()) return std::nullopt;
  const std::string written = host_.ToUtf8(r.Target);
  const LinkTarget target = ClassifyLinkTarget(written, host_.Assets().PresentationFolder());
  switch (target.kind) {
    case LinkTarget::Kind::kWebAddress:
      return Opening{{"open", target.text, {}, folder, {}}, {}};
    case LinkTarget::Kind::kInLinksFolder:
      return AssetOpening("open", kAssetLinks, r.Target, folder);
    case LinkTarget::Kind::kInPresentation:
      if (std::string path = host_.Assets().PathInside(target.text); !path.empty()) {
        return Opening{{"open", std::move(path), {}, folder, {}}, {}};
      }
      return Opening{{"open", written, {}, folder, {}}, kOutsideFolder};
    case LinkTarget::Kind::kRefused:
      break;
  }
  return Opening{{"open", written, {}, folder, {}}, target.text};
}

void TLinki::PreloadFile(int32_t index) {
  const TLin& r = RecordAt(index);
  if (!r.FileName.empty()) host_.Assets().WarmUp(kAssetLinks, r.FileName);
}

}  // namespace velmorant
