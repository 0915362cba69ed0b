#include "sequence/media.hpp"

#include "display/display.hpp"
#include "sequence/engine_host.hpp"
#include "sequence/screens.hpp"

namespace velmorant {

void TMedia::OnDefinitionLoaded() {
  live_.clear();
  live_.resize(host_.Def().TMedia.size());
}

const TMed& TMedia::Record(int32_t page) const {
  return host_.Def().TMedia[size_t(page)];
}

TMedia::Live* TMedia::Entry(int32_t page) {
  if (page < 0 || page >= Count()) return nullptr;
  return &live_[size_t(page)];
}

int32_t TMedia::ScreenOf(int32_t page) const {
  if (page < 0 || page >= Count()) return -1;
  return Record(page).Screen;
}

void TMedia::PreloadAll() {
  if (!host_.Def().header.PreloadFiles) return;
  for (int32_t page = 0; page < Count(); ++page) Preload(page);
}

void TMedia::Show(int32_t page) {
  Live* e = Entry(page);
  if (!e || e->Shown) return;
  const TMed& med = Record(page);
  TDisplay& display = host_.Display();
  const platform::Size client = display.ClientSize();
  e->Transition = std::make_unique<TRender>(display, med.TransitionIndex,
                                            platform::Rect{0, 0, client.width, client.height},
                                            std::nullopt, &display.BackBuffer, nullptr);
  host_.Screens().Show(med.Screen);
  host_.Screens().InstallKeys(med.Screen);
  if (med.AdvanceMs > 0) e->Timer = std::make_unique<platform::Timer>(host_.Loop());
  e->Shown = true;
}

void TMedia::Compose(int32_t page) {
  Live* e = Entry(page);
  if (e && e->Shown) host_.Screens().Compose(Record(page).Screen);
}

void TMedia::Start(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  e->Transition->Execute();
  host_.Screens().Start(Record(page).Screen);
}

void TMedia::Activate(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  host_.Screens().Activate(Record(page).Screen);
  const TMed& med = Record(page);
  if (med.AdvanceMs > 0 && e->Timer) {
    e->Timer->Arm(med.AdvanceMs, [this, page] { AutoAdvance(page); });
  }
}

void TMedia::Stop(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  if (e->Timer) e->Timer->Disarm();
  host_.Screens().Stop(Record(page).Screen);
}

void TMedia::Hide(int32_t page) {
  Live* e = Entry(page);
  if (!e) return;
  e->Shown = false;
  host_.Screens().Hide(Record(page).Screen);
  e->Transition.reset();
  e->Timer.reset();
}

void TMedia::Preload(int32_t page) {
  if (Entry(page)) host_.Screens().Preload(Record(page).Screen);
}

void TMedia::AutoAdvance(int32_t page) {
  if (Live* e = Entry(page); e && e->Timer) e->Timer->Disarm();
  host_.LeavePage({kActionNext, 0});
}

}  // namespace velmorant
