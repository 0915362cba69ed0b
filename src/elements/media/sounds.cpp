#include "elements/media/sounds.hpp"

#include "display/asset_source.hpp"
#include "platform/audio/sound_player.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

using platform::kSndAsync;
using platform::kSndFilename;
using platform::kSndLoop;
using platform::kSndNoStop;

void TDzwieki::OnDefinitionLoaded() {
  live_.assign(host_.Def().TDzwieki.size(), Live{});
}

const TDzw& TDzwieki::Record(int32_t index) const {
  return host_.Def().TDzwieki[size_t(index)];
}

bool TDzwieki::MapValid(int32_t index) const {
  return host_.Controls().IsMap(Record(index).MapIndex);
}

void TDzwieki::Show(int32_t index) {
  Live& e = live_[size_t(index)];
  if (e.Shown) return;
  const TDzw& s = Record(index);
  if (!s.FileName.empty()) {
    e.Path = host_.Assets().PathOf(kAssetSounds, s.FileName);
    e.Flags = kSndFilename | kSndAsync | (s.Loop ? kSndLoop : 0);
  }
  if (MapValid(index)) {
    ControlRegistry& controls = host_.Controls();
    controls.ShowMap(s.MapIndex);
    if (s.PlayRegion != -1) {
      controls.SetOnClick(s.MapIndex, s.PlayRegion, [this, index] { Play(index); });
    }
    if (s.StopRegion != -1) {
      controls.SetOnClick(s.MapIndex, s.StopRegion, [this, index] { StopSound(index); });
    }
  }
  e.Shown = true;
}

void TDzwieki::Compose(int32_t index) {
  if (live_[size_t(index)].Shown)
    host_.Controls().RunMapPhase(Phase::kCompose, Record(index).MapIndex);
}

void TDzwieki::Start(int32_t index) {
  if (live_[size_t(index)].Shown)
    host_.Controls().RunMapPhase(Phase::kStart, Record(index).MapIndex);
}

void TDzwieki::Activate(int32_t index) {
  const Live& e = live_[size_t(index)];
  if (!e.Shown) return;
  const TDzw& s = Record(index);
  host_.Controls().RunMapPhase(Phase::kActivate, s.MapIndex);
  // Only a sound that starts by itself becomes the one carried over: a button's sound left
  // silent must not keep the page before's music playing past this page.
  if (!HasSound(index) || !s.AutoPlay) return;
  int32_t& current = host_.CurrentSound();
  // A sound already playing on from the page before is not started again.
  if (current != s.Number) host_.Platform().Sounds().PlaySound(e.Path, e.Flags);
  current = s.Number;
}

void TDzwieki::Stop(int32_t index) {
  // The sound itself plays on.
  if (live_[size_t(index)].Shown)
    host_.Controls().RunMapPhase(Phase::kStop, Record(index).MapIndex);
}

void TDzwieki::Hide(int32_t index) {
  Live& e = live_[size_t(index)];
  e.Shown = false;
  host_.Controls().RunMapPhase(Phase::kHide, Record(index).MapIndex);
  // The page's Hide walk has cleared CurrentSound unless this screen's last sound plays on.
  if (host_.CurrentSound() == -1) host_.Platform().Sounds().PlaySound("", e.Flags);
}

void TDzwieki::Preload(int32_t index) {
  const TDzw& s = Record(index);
  if (s.FileName.empty()) return;
  host_.Assets().WarmUp(kAssetSounds, s.FileName);
  if (s.MapIndex >= 0) host_.Controls().RunMapPhase(Phase::kPreload, s.MapIndex);
}

void TDzwieki::Play(int32_t index) {
  if (!HasSound(index)) return;
  const Live& e = live_[size_t(index)];
  platform::SoundPlayer& sounds = host_.Platform().Sounds();
  // Nothing else sounding: this one plays without becoming the one carried over.
  if (sounds.PlaySound(e.Path, e.Flags | kSndNoStop)) return;
  sounds.PlaySound(e.Path, e.Flags);
  host_.CurrentSound() = Record(index).Number;
}

void TDzwieki::StopSound(int32_t index) {
  host_.Platform().Sounds().PlaySound("", live_[size_t(index)].Flags);
  host_.CurrentSound() = -1;
}

}  // namespace velmorant
