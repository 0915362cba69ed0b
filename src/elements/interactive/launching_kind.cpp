#include "elements/interactive/launching_kind.hpp"

#include "sequence/element_host.hpp"

namespace velmorant {

const char* const LaunchingKind::kOutsideFolder = "outside the presentation folder";

const Definition& LaunchingKind::HostDefinition() const {
  return host_.Def();
}

void LaunchingKind::OnDefinitionLoaded() {
  live_ = std::vector<Live>(size_t(TableSize()));
}

void LaunchingKind::Show(int32_t index) {
  Live& live = live_[size_t(index)];
  if (live.Shown) return;
  live.Launch.Prepare();
  const Buttons b = ButtonsOf(index);
  ControlRegistry& controls = host_.Controls();
  if (controls.IsMap(b.map)) {
    controls.ShowMap(b.map);
    if (b.open_region != -1)
      controls.SetOnClick(b.map, b.open_region, [this, index] { Open(index); });
    if (b.close_region != -1) {
      controls.SetOnClick(b.map, b.close_region, [this, index] { Close(index); });
    }
  }
  live.Shown = true;
}

void LaunchingKind::Compose(int32_t index) {
  if (live_[size_t(index)].Shown)
    host_.Controls().RunMapPhase(Phase::kCompose, ButtonsOf(index).map);
}

void LaunchingKind::Start(int32_t index) {
  if (live_[size_t(index)].Shown) host_.Controls().RunMapPhase(Phase::kStart, ButtonsOf(index).map);
}

void LaunchingKind::Activate(int32_t index) {
  if (!live_[size_t(index)].Shown) return;
  const Buttons b = ButtonsOf(index);
  host_.Controls().RunMapPhase(Phase::kActivate, b.map);
  if (b.opens_by_itself) Open(index);
}

void LaunchingKind::Stop(int32_t index) {
  if (!live_[size_t(index)].Shown) return;
  Close(index);
  host_.Controls().RunMapPhase(Phase::kStop, ButtonsOf(index).map);
}

void LaunchingKind::Hide(int32_t index) {
  live_[size_t(index)].Shown = false;
  host_.Controls().RunMapPhase(Phase::kHide, ButtonsOf(index).map);
}

void LaunchingKind::Preload(int32_t index) {
  PreloadFile(index);
  const int32_t map = ButtonsOf(index).map;
  if (map >= 0) host_.Controls().RunMapPhase(Phase::kPreload, map);
}

void LaunchingKind::Open(int32_t index) {
  if (index < 0 || index >= Count() || !live_[size_t(index)].Shown) return;
  const std::optional<Opening> opening = OpeningOf(index);
  if (!opening) return;
  platform::Shell& launcher = host_.Platform().Launcher();
  if (!opening->refused.empty()) {
    launcher.Refuse(opening->request, opening->refused);
    return;
  }
  live_[size_t(index)].Launch.ShellLaunch(launcher, opening->request);
}

void LaunchingKind::Close(int32_t index) {
  if (index < 0 || index >= Count() || !live_[size_t(index)].Shown) return;
  live_[size_t(index)].Launch.TerminateLaunched();
}

bool LaunchingKind::Holds(int32_t index) const {
  return index >= 0 && index < Count() && live_[size_t(index)].Launch.Holds();
}

LaunchingKind::Opening LaunchingKind::AssetOpening(const std::string& verb, int32_t kind,
                                                   const std::string& name,
                                                   const std::string& directory) {
  const std::string path = host_.Assets().PathOf(kind, name);
  if (path.empty()) return {{verb, host_.ToUtf8(name), {}, directory, {}}, kOutsideFolder};
  Opening opening{{verb, path, {}, directory, {}}, {}};
  opening.request.name = host_.ToUtf8(name);
  return opening;
}

}  // namespace velmorant
