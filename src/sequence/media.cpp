#include "sequence/media.hpp"

#include "app/player.hpp"

namespace velmorant {

void TMedia::OnDefinitionLoaded() {
  live_.resize(player_.definition.TMedia.size());
}

const TMed& TMedia::Record(int32_t page) const {
  return player_.definition.TMedia[size_t(page)];
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
  if (!player_.settings.PreloadFiles) return;
  for (int32_t page = 0; page < Count(); ++page) Preload(page);
}

void TMedia::Show(int32_t page, TAkc* slot) {
  Live* e = Entry(page);
  if (!e || e->Shown) return;
  const TMed& med = Record(page);
  TDisplay& display = player_.display;
  const platform::Size client = display.ClientSize();
  e->Transition = std::make_unique<TRender>(display, med.TransitionIndex,
                                            platform::Rect{0, 0, client.width, client.height},
                                            std::nullopt, &display.BackBuffer, nullptr);
  player_.screens.Show(med.Screen, slot);
  player_.screens.InstallKeys(med.Screen);
  if (med.AdvanceMs > 0) e->Timer = std::make_unique<platform::Timer>(player_.backend.Loop());
  e->Shown = true;
}

void TMedia::Compose(int32_t page) {
  Live* e = Entry(page);
  if (e && e->Shown) player_.screens.Compose(Record(page).Screen);
}

void TMedia::Start(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  e->Transition->Execute();
  player_.screens.Start(Record(page).Screen);
}

void TMedia::Activate(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  player_.screens.Activate(Record(page).Screen);
  const TMed& med = Record(page);
  if (med.AdvanceMs > 0 && e->Timer) {
    e->Timer->Arm(med.AdvanceMs, [this, page] { AutoAdvance(page); });
  }
}

void TMedia::Stop(int32_t page) {
  Live* e = Entry(page);
  if (!e || !e->Shown) return;
  if (e->Timer) e->Timer->Disarm();
  player_.screens.Stop(Record(page).Screen);
}

void TMedia::Hide(int32_t page) {
  Live* e = Entry(page);
  if (!e) return;
  e->Shown = false;
  player_.screens.Hide(Record(page).Screen);
  e->Transition.reset();
  e->Timer.reset();
}

void TMedia::Preload(int32_t page) {
  if (Entry(page)) player_.screens.Preload(Record(page).Screen);
}

void TMedia::AutoAdvance(int32_t page) {
  if (Live* e = Entry(page); e && e->Timer) e->Timer->Disarm();
  player_.display.PendingAction = {kActionNext, 0};
  player_.window->Close();
}

}  // namespace velmorant
