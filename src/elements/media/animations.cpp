#include "elements/media/animations.hpp"

#include <algorithm>

#include "display/placement.hpp"
#include "display/rect_arithmetic.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

namespace {

bool CanStopEarly(const TAni& animation) {
  return animation.StopAfter > 0 || (animation.MapIndex != -1 && animation.StopRegion != -1);
}

// A size below 1 is the picture's own; without one, 1.
int32_t SizeOr(int32_t wanted, int32_t own) {
  return wanted >= 1 ? wanted : std::max(own, 1);
}

}  // namespace

void TAnimacje::OnDefinitionLoaded() {
  const auto& table = host_.Def().TAnimacje;
  live_.clear();
  for (const TAni& animation : table) {
    auto& e = live_.emplace_back(std::make_unique<Live>(host_.Drawing(), host_.Loop()));
    e->Frames.resize(animation.Frames.size());
  }
}

const TAni& TAnimacje::Record(int32_t index) const {
  return host_.Def().TAnimacje[size_t(index)];
}

void TAnimacje::Show(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (e.Appearance.Shown()) return;
  e.CurrentFrame = 0;
  const TAni& animation = Record(index);
  // Without a first frame to show there is nothing for the buttons to play or stop.
  if (!animation.Frames.empty() && !animation.Frames.front().FileName.empty()) {
    Prepare(index);
    TakeOverButtons(index);
  }
  e.Appearance.SetShown();
}

void TAnimacje::Prepare(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TAni& animation = Record(index);
  e.FrameTimer = std::make_unique<platform::Timer>(host_.Loop());
  // The natural size is the first frame's, from its picture where the record gives none.
  const TKlt& first = animation.Frames.front();
  MaskedPicture& first_picture = e.Frames.front().Picture;
  if (first.Width < 1 || first.Height < 1) first_picture = LoadFrame(index, 0);
  const platform::Bitmap* sized = first_picture.picture.get();
  e.Natural = {SizeOr(first.Width, sized ? sized->Width() : 0),
               SizeOr(first.Height, sized ? sized->Height() : 0)};
  platform::Rect rect{0, 0, e.Natural.width, e.Natural.height};
  Place(animation.X, animation.Y, animation.Width, animation.Height, rect,
        host_.Drawing().ClientSize());
  TimedAppearance::Look look;
  look.disappear_transition = animation.TransitionIndex;
  look.frame = animation.FrameIndex;
  look.can_disappear = CanStopEarly(animation);
  look.timed = animation.StartDelay >= 1 || animation.StopAfter >= 1;
  e.Appearance.Prepare(look, rect, {});
}

MaskedPicture TAnimacje::LoadFrame(int32_t index, size_t f) {
  const TKlt& frame = Record(index).Frames[f];
  if (frame.FileName.empty()) return {};
  return LoadPicture(host_.Assets(), kAssetAnimationFrames, frame.FileName, frame.UseMask != 0);
}

TAnimacje::Frame& TAnimacje::ReadyFrame(int32_t index, size_t f) {
  Live& e = *live_[size_t(index)];
  Frame& frame = e.Frames[f];
  if (frame.Ready) return frame;
  frame.Ready = true;
  if (!frame.Picture.picture) frame.Picture = LoadFrame(index, f);
  const platform::Bitmap* picture = frame.Picture.picture.get();
  if (!picture) return frame;
  const TKlt& record = Record(index).Frames[f];
  const platform::Size natural = e.Natural;
  const platform::Rect& rect = e.Appearance.Rect();
  const double scale_x = double(rect.Width()) / natural.width;
  const double scale_y = double(rect.Height()) / natural.height;
  // Never larger than the animation, in the animation's own pixels: cut in window pixels, a
  // shrunk animation would show only part of each frame and an enlarged one draw outside what it
  // restores.
  const int32_t w = std::min(SizeOr(record.Width, picture->Width()), natural.width);
  const int32_t h = std::min(SizeOr(record.Height, picture->Height()), natural.height);
  if (w < 1 || h < 1) return frame;
  // Each edge truncated in turn; right and bottom start from the truncated left and top.
  platform::Rect d;
  d.left = TruncToInt32(record.X * scale_x + rect.left);
  d.top = TruncToInt32(record.Y * scale_y + rect.top);
  d.right = TruncToInt32(double(w) * scale_x + d.left);
  d.bottom = TruncToInt32(double(h) * scale_y + d.top);
  frame.Render =
      std::make_unique<TRender>(host_.Drawing(), record.TransitionIndex, d,
                                platform::Rect{0, 0, w, h}, picture, frame.Picture.mask.get());
  return frame;
}

void TAnimacje::TakeOverButtons(int32_t index) {
  const TAni& animation = Record(index);
  ControlRegistry& controls = host_.Controls();
  // Without a play button the map is not the animation's: its regions keep their own actions.
  if (animation.PlayRegion == -1 || !controls.IsMap(animation.MapIndex)) return;
  controls.ShowMap(animation.MapIndex);
  controls.SetOnClick(animation.MapIndex, animation.PlayRegion, [this, index] { Play(index); });
  if (animation.StopRegion != -1) {
    controls.SetOnClick(animation.MapIndex, animation.StopRegion,
                        [this, index] { StopAnimation(index); });
  }
}

void TAnimacje::Compose(int32_t index) {
  if (live_[size_t(index)]->Appearance.Shown()) {
    host_.Controls().RunMapPhase(Phase::kCompose, Record(index).MapIndex);
  }
}

void TAnimacje::Start(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (!a.Shown()) return;
  const TAni& animation = Record(index);
  host_.Controls().RunMapPhase(Phase::kStart, animation.MapIndex);
  if (animation.AutoStart) {
    StartAnimation(index);
    if (animation.StopAfter > 0)
      a.ArmTimer(animation.StopAfter, [this, index] { StopAnimation(index); });
  } else if (animation.StartDelay > 0) {
    a.ArmTimer(animation.StartDelay, [this, index] { Play(index); });
  }
}

void TAnimacje::Stop(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  if (e.FrameTimer) e.FrameTimer->Disarm();
  e.Appearance.DisarmTimer();
  host_.Controls().RunMapPhase(Phase::kStop, Record(index).MapIndex);
}

void TAnimacje::Hide(int32_t index) {
  Live& e = *live_[size_t(index)];
  e.Appearance.Release();
  e.FrameTimer.reset();
  for (Frame& frame : e.Frames) frame = Frame{};
  host_.Controls().RunMapPhase(Phase::kHide, Record(index).MapIndex);
}

void TAnimacje::Preload(int32_t index) {
  const TAni& animation = Record(index);
  for (const TKlt& frame : animation.Frames) {
    if (frame.FileName.empty()) continue;
    WarmUpPicture(host_.Assets(), kAssetAnimationFrames, frame.FileName, frame.UseMask != 0);
  }
  host_.Controls().RunMapPhase(Phase::kPreload, animation.MapIndex);
}

void TAnimacje::StartAnimation(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.FrameTimer) return;
  // Going on after a halt keeps what was saved when the animation first came up.
  e.Appearance.DrawAppearing();
  // A run without a loop ends past its last frame; playing it again starts it over.
  if (e.CurrentFrame >= int32_t(e.Frames.size())) e.CurrentFrame = 0;
  e.FrameTimer->Arm(1, [this, index] { Tick(index); });
}

void TAnimacje::Tick(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TAni& animation = Record(index);
  const auto count = int32_t(e.Frames.size());
  const int32_t i = e.CurrentFrame;
  if (i < 0 || i >= count) return;
  if (Frame& frame = ReadyFrame(index, size_t(i)); frame.Render) frame.Render->Execute();
  if (++e.CurrentFrame >= count) {
    if (!animation.Loop) {
      e.FrameTimer->Disarm();
      return;
    }
    e.CurrentFrame = 0;
  }
  // The drawn frame's duration is the wait before the next one; none halts on this frame.
  e.FrameTimer->SetInterval(std::max(animation.Frames[size_t(i)].Duration, 0));
}

void TAnimacje::HaltFrames(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (e.FrameTimer) e.FrameTimer->Disarm();
  // Stopped before it ever came up, it has nothing of its own to put back.
  if (e.Appearance.Visible()) e.Appearance.DrawDisappearing();
}

void TAnimacje::Play(int32_t index) {
  Live& e = *live_[size_t(index)];
  TimedAppearance& a = e.Appearance;
  if (!a.Shown()) return;
  if (e.FrameTimer && (!e.FrameTimer->HasHandler() || e.FrameTimer->Interval() == 0)) {
    StartAnimation(index);
  }
  const int32_t stop_after = Record(index).StopAfter;
  if (stop_after < 1) {
    a.DisarmTimer();
  } else {
    a.ArmTimer(stop_after, [this, index] { StopAnimation(index); });
  }
}

void TAnimacje::StopAnimation(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  e.CurrentFrame = 0;
  HaltFrames(index);
  e.Appearance.DisarmTimer();
}

}  // namespace velmorant
