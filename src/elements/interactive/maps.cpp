#include "elements/interactive/maps.hpp"

#include "display/placement.hpp"
#include "display/rect_arithmetic.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

using platform::Bitmap;

void TMapy::OnDefinitionLoaded() {
  const auto& table = host_.Def().TMapy;
  live_.clear();
  for (size_t m = 0; m < table.size(); ++m) {
    auto& e = live_.emplace_back(std::make_unique<Live>(host_.Drawing(), host_.Loop()));
    const auto map = int32_t(m);
    e->Regions.resize(table[m].Regions.size());
    e->Appearance.on_appeared = [this, map] { AddRegions(map); };
    e->Appearance.on_disappeared = [this, map] { RemoveRegions(map); };
  }
}

const TMap& TMapy::Record(int32_t map) const {
  return host_.Def().TMapy[size_t(map)];
}

const TMapy::RegionLive* TMapy::Region(int32_t map, int32_t region) const {
  if (!IsValid(map)) return nullptr;
  const auto& regions = live_[size_t(map)]->Regions;
  if (region < 0 || size_t(region) >= regions.size()) return nullptr;
  return &regions[size_t(region)];
}

void TMapy::ShowMap(int32_t map, std::optional<platform::Rect> placement) {
  if (IsValid(map)) ShowPlaced(map, placement);
}

void TMapy::ShowPlaced(int32_t index, std::optional<platform::Rect> placement) {
  Live& e = *live_[size_t(index)];
  if (e.Appearance.Shown()) return;
  const TMap& map = Record(index);
  AssetSource& assets = host_.Assets();
  MaskedPicture picture;
  if (!map.FileName.empty()) {
    picture = map.UseMask ? assets.PictureWithMask(kAssetButtons, map.FileName, map.FileName)
                          : MaskedPicture{assets.Picture(kAssetButtons, map.FileName), nullptr};
    // A mask without its picture has nothing to cut out.
    if (!picture.picture) picture.mask.reset();
  }
  if (!map.HoverFileName.empty()) {
    // The hover picture is cut out by the normal picture's mask, when there is one.
    e.HoverPicture =
        picture.mask
            ? assets.PictureWithMask(kAssetButtons, map.HoverFileName, map.FileName).picture
            : assets.Picture(kAssetButtons, map.HoverFileName);
  }
  // Without a picture the map takes its size from the hover picture; with neither, its regions
  // are invisible hot spots at scale 1.
  const Bitmap* sized = picture.picture ? picture.picture.get() : e.HoverPicture.get();
  platform::Rect rect;
  if (placement) {
    rect = *placement;
  } else {
    rect = sized ? sized->Bounds() : platform::Rect{};
  }
  Place(map.X, map.Y, map.Width, map.Height, rect, host_.Drawing().ClientSize());
  // Regions follow the placed rectangle, so buttons stay under a stretched picture.
  if (sized && sized->Width() > 0 && sized->Height() > 0) {
    e.ScaleX = double(rect.Width() + 1) / sized->Width();
    e.ScaleY = double(rect.Height() + 1) / sized->Height();
  } else {
    e.ScaleX = e.ScaleY = 1.0;
  }
  TimedAppearance::Look look;
  look.appear_transition = map.ShowTransition;
  look.disappear_transition = map.HideTransition;
  look.frame = map.FrameIndex;
  look.can_disappear = map.HideAfter > 0;
  look.timed = map.ShowDelay >= 1 || map.HideAfter >= 1;
  e.Appearance.Prepare(look, rect, std::move(picture));
  for (int32_t r = 0; r < int32_t(e.Regions.size()); ++r) ShowRegion(index, r);
  e.Appearance.SetShown();
}

void TMapy::ShowRegion(int32_t map, int32_t region) {
  Live& e = *live_[size_t(map)];
  RegionLive& r = e.Regions[size_t(region)];
  if (r.Shown) return;
  const TReg& reg = Record(map).Regions[size_t(region)];
  const platform::Rect& rect = e.Appearance.Rect();
  r.SourceRect = {reg.X, reg.Y, int32_t(int64_t{reg.X} + reg.Width),
                  int32_t(int64_t{reg.Y} + reg.Height)};
  // Each edge truncated in turn; right and bottom start from the truncated left and top.
  r.DestRect.left = TruncToInt32(reg.X * e.ScaleX + rect.left);
  r.DestRect.top = TruncToInt32(reg.Y * e.ScaleY + rect.top);
  r.DestRect.right = TruncToInt32(reg.Width * e.ScaleX + r.DestRect.left);
  r.DestRect.bottom = TruncToInt32(reg.Height * e.ScaleY + r.DestRect.top);
  DrawingContext& drawing = host_.Drawing();
  const Bitmap* mask = e.Appearance.Mask();
  if (e.HoverPicture) {
    r.HoverRender = std::make_unique<TRender>(drawing, -1, r.DestRect, r.SourceRect,
                                              e.HoverPicture.get(), mask);
  }
  if (const Bitmap* picture = e.Appearance.Picture()) {
    r.NormalRender =
        std::make_unique<TRender>(drawing, -1, r.DestRect, r.SourceRect, picture, mask);
  }
  r.OnClick = [this, map, region] { RunAction(map, region); };
  r.Shown = true;
}

void TMapy::Compose(int32_t index) {
  const Live& e = *live_[size_t(index)];
  const TMap& map = Record(index);
  if (!e.Appearance.Shown() || map.ShowDelay != 0) return;
  // A map with a real appear effect comes in at Start, over the page's transition.
  if (TransitionAnimates(host_.Def().TPrzeniki, map.ShowTransition)) return;
  live_[size_t(index)]->Appearance.DrawAppearing();
}

void TMapy::Start(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (!a.Shown()) return;
  const TMap& map = Record(index);
  if (map.ShowDelay != 0) {
    if (map.ShowDelay > 0) a.AppearAfter(map.ShowDelay, map.HideAfter);
    return;
  }
  a.Appear(map.HideAfter);
}

void TMapy::Stop(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (a.Shown()) a.DisarmTimer();
}

void TMapy::Hide(int32_t index) {
  Live& e = *live_[size_t(index)];
  for (RegionLive& r : e.Regions) {
    r.Shown = false;
    r.HoverRender.reset();
    r.NormalRender.reset();
  }
  e.Appearance.Release();
  e.HoverPicture.reset();
}

void TMapy::Preload(int32_t index) {
  const TMap& map = Record(index);
  if (map.FileName.empty()) return;
  AssetSource& assets = host_.Assets();
  assets.WarmUp(kAssetButtons, map.FileName);
  if (map.UseMask) assets.WarmUpMask(kAssetButtons, map.FileName);
  if (!map.HoverFileName.empty()) assets.WarmUp(kAssetButtons, map.HoverFileName);
}

void TMapy::AddRegions(int32_t map) {
  const int32_t n = int32_t(live_[size_t(map)]->Regions.size());
  for (int32_t r = 0; r < n; ++r) host_.Regions().AddRegion(map, r);
}

void TMapy::RemoveRegions(int32_t map) {
  const int32_t n = int32_t(live_[size_t(map)]->Regions.size());
  for (int32_t r = 0; r < n; ++r) host_.Regions().RemoveRegion(map, r);
}

std::optional<platform::Rect> TMapy::RegionRect(int32_t map, int32_t region) const {
  if (const RegionLive* r = Region(map, region)) return r->DestRect;
  return std::nullopt;
}

std::string TMapy::RegionHint(int32_t map, int32_t region) const {
  if (!Region(map, region)) return {};
  return Record(map).Regions[size_t(region)].Hint;
}

void TMapy::PointerEntered(int32_t map, int32_t region) {
  const RegionLive* r = Region(map, region);
  if (!r || !live_[size_t(map)]->Appearance.Shown() || !live_[size_t(map)]->HoverPicture) return;
  if (r->HoverRender) r->HoverRender->Execute();
}

void TMapy::PointerLeft(int32_t map, int32_t region) {
  const RegionLive* r = Region(map, region);
  if (!r || !live_[size_t(map)]->Appearance.Shown()) return;
  if (r->NormalRender) r->NormalRender->Execute();
}

void TMapy::Click(int32_t map, int32_t region) {
  const RegionLive* r = Region(map, region);
  if (!r || !r->OnClick) return;
  // The handler may show or hide maps: run a copy.
  ClickHandler handler = r->OnClick;
  handler();
}

void TMapy::SetOnClick(int32_t map, int32_t region, ClickHandler handler) {
  if (!Region(map, region)) return;
  live_[size_t(map)]->Regions[size_t(region)].OnClick = std::move(handler);
}

void TMapy::RunAction(int32_t map, int32_t region) {
  if (!Region(map, region)) return;
  host_.LeavePage(Record(map).Regions[size_t(region)].Action);
}

}  // namespace velmorant
