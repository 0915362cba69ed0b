#include "elements/visual/images.hpp"

#include "display/placement.hpp"
#include "display/transitions.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

namespace {

// Only an image that can go again keeps what lies beneath it.
bool CanDisappear(const TObr& image) {
  return image.DurationMs > 0 || (image.MapIndex != -1 && image.HideRegion != -1);
}

}  // namespace

void TObrazy::OnDefinitionLoaded() {
  live_.clear();
  for (size_t i = 0; i < host_.Def().TObrazy.size(); ++i) {
    live_.push_back(std::make_unique<Live>(host_.Drawing(), host_.Loop()));
  }
}

const TObr& TObrazy::Record(int32_t index) const {
  return host_.Def().TObrazy[size_t(index)];
}

void TObrazy::Show(int32_t index) {
  Live& e = *live_[size_t(index)];
  e.Drawn = false;
  if (e.Appearance.Shown()) return;
  const TObr& image = Record(index);
  if (!image.FileName.empty()) Prepare(index);
  if (image.MapIndex != -1) TakeOverButtons(index);
  e.Appearance.SetShown();
}

void TObrazy::Prepare(int32_t index) {
  const TObr& image = Record(index);
  MaskedPicture picture =
      LoadPicture(host_.Assets(), kAssetImages, image.FileName, image.Masked != 0);
  // A picture that cannot be loaded leaves the image without effects, frame or timer: it draws
  // nothing, and its map still works.
  if (!picture.picture) return;
  platform::Rect rect = picture.picture->Bounds();
  Place(image.X, image.Y, image.W, image.H, rect, host_.Drawing().ClientSize());
  TimedAppearance::Look look;
  look.appear_transition = image.TransitionIn;
  look.disappear_transition = image.TransitionOut;
  look.frame = image.FrameIndex;
  look.can_disappear = CanDisappear(image);
  look.timed = image.DelayMs > 0 || image.DurationMs > 0;
  // Its buttons may ask it to come while it is up, or to go while it is gone.
  look.draw_changes_only = true;
  live_[size_t(index)]->Appearance.Prepare(look, rect, std::move(picture));
}

void TObrazy::TakeOverButtons(int32_t index) {
  const TObr& image = Record(index);
  ControlRegistry& controls = host_.Controls();
  controls.ShowMap(image.MapIndex);
  if (image.ShowRegion != -1) {
    controls.SetOnClick(image.MapIndex, image.ShowRegion, [this, index] { Appear(index); });
  }
  if (image.HideRegion != -1) {
    controls.SetOnClick(image.MapIndex, image.HideRegion, [this, index] { Disappear(index); });
  }
}

void TObrazy::Compose(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  const TObr& image = Record(index);
  host_.Controls().RunMapPhase(Phase::kCompose, image.MapIndex);
  if (!image.VisibleAtStart) return;
  // An image with a real appear effect comes in at Start, after the page's transition.
  if (TransitionAnimates(host_.Def().TPrzeniki, image.TransitionIn)) return;
  e.Appearance.DrawAppearing();
  e.Drawn = true;
}

void TObrazy::Start(int32_t index) {
  Live& e = *live_[size_t(index)];
  TimedAppearance& a = e.Appearance;
  if (!a.Shown()) return;
  const TObr& image = Record(index);
  host_.Controls().RunMapPhase(Phase::kStart, image.MapIndex);
  if (image.VisibleAtStart) {
    if (!e.Drawn) a.DrawAppearing();
    if (image.DurationMs > 0) a.DisappearAfter(image.DurationMs);
  } else if (image.DelayMs > 0) {
    a.AppearAfter(image.DelayMs, image.DurationMs);
  }
}

void TObrazy::Stop(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (!a.Shown()) return;
  a.DisarmTimer();
  host_.Controls().RunMapPhase(Phase::kStop, Record(index).MapIndex);
}

void TObrazy::Hide(int32_t index) {
  live_[size_t(index)]->Appearance.Release();
  host_.Controls().RunMapPhase(Phase::kHide, Record(index).MapIndex);
}

void TObrazy::Preload(int32_t index) {
  const TObr& image = Record(index);
  if (!image.FileName.empty()) {
    WarmUpPicture(host_.Assets(), kAssetImages, image.FileName, image.Masked != 0);
  }
}

void TObrazy::Appear(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (a.Shown()) a.Appear(Record(index).DurationMs);
}

void TObrazy::Disappear(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (a.Shown()) a.Disappear();
}

}  // namespace velmorant
