#include "elements/interactive/maps.hpp"

#include "app/player.hpp"
#include "display/backdrop.hpp"
#include "display/rect_arithmetic.hpp"
#include "display/render_helpers.hpp"

namespace velmorant {

using platform::Bitmap;

void TMapy::OnDefinitionLoaded() {
  const auto& table = player_.definition.TMapy;
  live_.clear();
  live_.resize(table.size());
  for (size_t m = 0; m < table.size(); ++m) live_[m].Regions.resize(table[m].Regions.size());
}

const TMap& TMapy::Record(int32_t map) const {
  return player_.definition.TMapy[size_t(map)];
}

const TMapy::RegionLive* TMapy::Region(int32_t map, int32_t region) const {
  if (!IsValid(map)) return nullptr;
  const auto& regions = live_[size_t(map)].Regions;
  if (region < 0 || size_t(region) >= regions.size()) return nullptr;
  return &regions[size_t(region)];
}

void TMapy::ShowPlaced(int32_t index, TAkc* slot, std::optional<platform::Rect> placement) {
  Live& e = live_[size_t(index)];
  if (e.Shown) return;
  const TMap& map = Record(index);
  Assets& assets = player_.assets;
  if (!map.FileName.empty()) {
    if (auto picture = assets.LoadPicture(kAssetButtons, map.FileName)) {
      e.Picture = std::make_unique<Bitmap>(std::move(*picture));
      if (map.UseMask) {
        if (auto mask = assets.LoadMask(kAssetButtons, map.FileName)) {
          e.Mask = std::make_unique<Bitmap>(std::move(*mask));
          PrepareMaskedImage(*e.Picture, e.Mask.get());
        }
      }
    }
  }
  if (!map.HoverFileName.empty()) {
    if (auto hover = assets.LoadPicture(kAssetButtons, map.HoverFileName)) {
      e.HoverPicture = std::make_unique<Bitmap>(std::move(*hover));
      if (e.Mask) PrepareMaskedImage(*e.HoverPicture, e.Mask.get());
    }
  }
  // Without a picture the map takes its size from the hover picture; with neither, its regions
  // are invisible hot spots at scale 1.
  const Bitmap* sized = e.Picture ? e.Picture.get() : e.HoverPicture.get();
  if (placement) {
    e.Rect = *placement;
  } else {
    e.Rect = sized ? sized->Bounds() : platform::Rect{};
  }
  const platform::Size client = player_.display.ClientSize();
  TOgolne::Place(map.X, map.Y, map.Width, map.Height, e.Rect, client);
  // Regions follow the placed rectangle, so buttons stay under a stretched picture.
  if (sized && sized->Width() > 0 && sized->Height() > 0) {
    e.ScaleX = double(e.Rect.Width() + 1) / sized->Width();
    e.ScaleY = double(e.Rect.Height() + 1) / sized->Height();
  } else {
    e.ScaleX = e.ScaleY = 1.0;
  }
  TDisplay& display = player_.display;
  if (e.Picture) {
    e.Render = std::make_unique<TRender>(display, map.ShowTransition, e.Rect, std::nullopt,
                                         e.Picture.get(), e.Mask.get());
  }
  if (map.HideAfter > 0) {
    e.Backdrop = std::make_unique<Bitmap>(BitmapForRect(e.Rect));
    e.RestoreRender = std::make_unique<TRender>(display, map.HideTransition, e.Rect, std::nullopt,
                                                e.Backdrop.get(), nullptr);
  }
  e.FrameRender = std::make_unique<TRamkaRender>(display, map.FrameIndex, e.Rect);
  for (int32_t r = 0; r < int32_t(e.Regions.size()); ++r) ShowRegion(index, r, slot);
  if (map.ShowDelay >= 1 || map.HideAfter >= 1) {
    e.Timer = std::make_unique<platform::Timer>(player_.backend.Loop());
  }
  e.Shown = true;
}

void TMapy::ShowRegion(int32_t map, int32_t region, TAkc* slot) {
  Live& e = live_[size_t(map)];
  RegionLive& r = e.Regions[size_t(region)];
  if (r.Shown) return;
  const TReg& reg = Record(map).Regions[size_t(region)];
  r.ActionSlot = slot;
  r.SourceRect = {reg.X, reg.Y, int32_t(int64_t{reg.X} + reg.Width),
                  int32_t(int64_t{reg.Y} + reg.Height)};
  // Each edge truncated in turn; right and bottom start from the truncated left and top.
  r.DestRect.left = TruncToInt32(reg.X * e.ScaleX + e.Rect.left);
  r.DestRect.top = TruncToInt32(reg.Y * e.ScaleY + e.Rect.top);
  r.DestRect.right = TruncToInt32(reg.Width * e.ScaleX + r.DestRect.left);
  r.DestRect.bottom = TruncToInt32(reg.Height * e.ScaleY + r.DestRect.top);
  TDisplay& display = player_.display;
  if (e.HoverPicture) {
    r.HoverRender = std::make_unique<TRender>(display, -1, r.DestRect, r.SourceRect,
                                              e.HoverPicture.get(), e.Mask.get());
  }
  if (e.Picture) {
    r.NormalRender = std::make_unique<TRender>(display, -1, r.DestRect, r.SourceRect,
                                               e.Picture.get(), e.Mask.get());
  }
  r.OnClick = [this, map, region] { RunAction(map, region); };
  r.Shown = true;
}

void TMapy::Compose(int32_t index) {
  const Live& e = live_[size_t(index)];
  const TMap& map = Record(index);
  if (!e.Shown || map.ShowDelay != 0) return;
  // A map with a real appear effect comes in at Start, over the page's transition.
  if (TransitionAnimates(player_.definition.TPrzeniki, map.ShowTransition)) return;
  Display(index, true);
}

void TMapy::Start(int32_t index) {
  Live& e = live_[size_t(index)];
  if (!e.Shown) return;
  const TMap& map = Record(index);
  if (map.ShowDelay != 0) {
    if (map.ShowDelay > 0 && e.Timer) {
      e.Timer->Arm(map.ShowDelay, [this, index] { DelayedShow(index); });
    }
    return;
  }
  Display(index, true);
  if (map.HideAfter > 0 && e.Timer) {
    e.Timer->Arm(map.HideAfter, [this, index] { DelayedHide(index); });
  }
}

void TMapy::Stop(int32_t index) {
  Live& e = live_[size_t(index)];
  if (e.Shown && e.Timer) e.Timer->Disarm();
}

void TMapy::Hide(int32_t index) {
  Live& e = live_[size_t(index)];
  e.Shown = false;
  for (RegionLive& r : e.Regions) {
    r.Shown = false;
    r.HoverRender.reset();
    r.NormalRender.reset();
  }
  e.Render.reset();
  e.RestoreRender.reset();
  e.FrameRender.reset();
  e.Timer.reset();
  e.Picture.reset();
  e.HoverPicture.reset();
  e.Mask.reset();
  e.Backdrop.reset();
}

void TMapy::Preload(int32_t index) {
  const TMap& map = Record(index);
  if (map.FileName.empty()) return;
  player_.assets.WarmUp(kAssetButtons, map.FileName);
  if (map.UseMask) player_.assets.WarmUpMask(kAssetButtons, map.FileName);
  if (!map.HoverFileName.empty()) player_.assets.WarmUp(kAssetButtons, map.HoverFileName);
}

void TMapy::Display(int32_t index, bool show) {
  Live& e = live_[size_t(index)];
  const TMap& map = Record(index);
  TDisplay& display = player_.display;
  if (show) {
    if (map.HideAfter > 0) {
      SaveUnder(display, e.Rect, e.Backdrop.get());
      if (e.FrameRender) e.FrameRender->SaveBackground();
    }
    if (e.Render) e.Render->Execute();
    if (e.FrameRender) e.FrameRender->Draw(true);
    for (int32_t r = 0; r < int32_t(e.Regions.size()); ++r) display.AddRegion(index, r);
    return;
  }
  if (e.FrameRender) e.FrameRender->Draw(false);
  if (e.RestoreRender) e.RestoreRender->Execute();
  for (int32_t r = 0; r < int32_t(e.Regions.size()); ++r) display.RemoveRegion(index, r);
}

void TMapy::DelayedShow(int32_t index) {
  Live& e = live_[size_t(index)];
  Display(index, true);
  if (!e.Timer) return;
  const int32_t hideAfter = Record(index).HideAfter;
  if (hideAfter < 1) {
    e.Timer->Disarm();
  } else {
    e.Timer->Arm(hideAfter, [this, index] { DelayedHide(index); });
  }
}

void TMapy::DelayedHide(int32_t index) {
  Display(index, false);
  if (auto& timer = live_[size_t(index)].Timer) timer->Disarm();
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
  if (!r || !live_[size_t(map)].Shown || !live_[size_t(map)].HoverPicture) return;
  if (r->HoverRender) r->HoverRender->Execute();
}

void TMapy::PointerLeft(int32_t map, int32_t region) {
  const RegionLive* r = Region(map, region);
  if (!r || !live_[size_t(map)].Shown) return;
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
  live_[size_t(map)].Regions[size_t(region)].OnClick = std::move(handler);
}

void TMapy::RunAction(int32_t map, int32_t region) {
  const RegionLive* r = Region(map, region);
  if (!r || !r->ActionSlot) return;
  *r->ActionSlot = Record(map).Regions[size_t(region)].Action;
  player_.window->Close();
}

}  // namespace velmorant
