#include "elements/media/films.hpp"

#include "display/asset_source.hpp"
#include "display/backdrop.hpp"
#include "display/placement.hpp"
#include "platform/audio/sound_player.hpp"
#include "platform/gfx/canvas.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

void TFilmy::OnDefinitionLoaded() {
  live_.clear();
  for (size_t i = 0; i < host_.Def().TFilmy.size(); ++i) {
    live_.push_back(std::make_unique<Live>(host_.Drawing(), host_.Loop()));
  }
}

const TFil& TFilmy::Record(int32_t index) const {
  return host_.Def().TFilmy[size_t(index)];
}

bool TFilmy::CanStopEarly(const TFil& film) {
  return film.StopAfter > 0 || (film.MapIndex != -1 && film.StopRegion != -1);
}

void TFilmy::Show(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (e.Appearance.Shown()) return;
  const TFil& f = Record(index);
  platform::FilmPlayer& film = host_.Film();
  e.Rect = {};
  if (!f.FileName.empty()) {
    Place(f.X, f.Y, f.Width, f.Height, e.Rect, host_.Drawing().ClientSize());
    // The player is shared: the film shown last decides the file every film plays.
    film.SetFileName(host_.Assets().PathOf(kAssetFilms, f.FileName));
  }
  TimedAppearance::Look look;
  look.frame = f.FrameIndex;
  // Without a poster, what the film covers is saved when it plays and put back when it stops.
  look.can_disappear = CanStopEarly(f) && f.PosterName.empty();
  e.Appearance.Prepare(look, e.Rect, {});
  if (CanStopEarly(f) && !f.PosterName.empty()) MakePoster(index);
  if (f.StartDelay > 0 || f.StopAfter > 0)
    e.Timer = std::make_unique<platform::Timer>(host_.Loop());
  e.Played = false;
  ControlRegistry& controls = host_.Controls();
  if (f.MapIndex == -1 || f.PlayRegion == -1) {
    film.SetOnNotify([this, index] { EndOfFilm(index); });
  } else if (controls.IsMap(f.MapIndex)) {
    controls.ShowMap(f.MapIndex);
    controls.SetOnClick(f.MapIndex, f.PlayRegion, [this, index] { Play(index); });
    if (f.PauseRegion != -1) {
      controls.SetOnClick(f.MapIndex, f.PauseRegion, [this, index] { Pause(index); });
    }
    if (f.StopRegion != -1) {
      controls.SetOnClick(f.MapIndex, f.StopRegion, [this, index] { StopFilm(index); });
    }
  }
  e.Appearance.SetShown();
}

void TFilmy::MakePoster(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TFil& f = Record(index);
  e.Poster = std::make_unique<platform::Bitmap>();
  // Refused by the memory budget, the film ends on nothing of its own.
  if (!ChargedBitmapForRect(host_.Drawing().Memory(), e.Rect, *e.Poster, e.PosterCharge)) {
    e.Poster.reset();
    return;
  }
  // The picture is cut or widened to the film's size, not scaled; new parts are the white of a
  // fresh canvas.
  e.Poster->Fill(platform::kWhite);
  if (SharedPicture picture = host_.Assets().Picture(kAssetImages, f.PosterName)) {
    platform::Canvas(*e.Poster).Draw(0, 0, *picture);
  }
  e.PosterRender =
      std::make_unique<TRender>(host_.Drawing(), -1, e.Rect, std::nullopt, e.Poster.get(), nullptr);
}

void TFilmy::Compose(int32_t index) {
  if (live_[size_t(index)]->Appearance.Shown()) {
    host_.Controls().RunMapPhase(Phase::kCompose, Record(index).MapIndex);
  }
}

void TFilmy::Start(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  const TFil& f = Record(index);
  host_.Controls().RunMapPhase(Phase::kStart, f.MapIndex);
  if (f.AutoStart) {
    PlayFilm(index);
    if (f.StopAfter > 0 && e.Timer) e.Timer->Arm(f.StopAfter, [this, index] { StopFilm(index); });
  } else if (f.StartDelay > 0 && e.Timer) {
    e.Timer->Arm(f.StartDelay, [this, index] { Play(index); });
  }
}

void TFilmy::Activate(int32_t index) {
  if (live_[size_t(index)]->Appearance.Shown()) {
    host_.Controls().RunMapPhase(Phase::kActivate, Record(index).MapIndex);
  }
}

void TFilmy::Stop(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  // The film itself plays on until the page is hidden.
  if (e.Timer) e.Timer->Disarm();
  host_.Controls().RunMapPhase(Phase::kStop, Record(index).MapIndex);
}

void TFilmy::Hide(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TFil& f = Record(index);
  e.Appearance.Release();
  platform::FilmPlayer& film = host_.Film();
  film.SetOnNotify(nullptr);
  film.Close();
  host_.Controls().RunMapPhase(Phase::kHide, f.MapIndex);
  if (f.Silence) host_.CurrentSound() = -1;
  e.PosterRender.reset();
  e.Poster.reset();
  e.PosterCharge.Release();
  e.Timer.reset();
  e.Played = false;
}

void TFilmy::Preload(int32_t index) {
  const TFil& f = Record(index);
  AssetSource& assets = host_.Assets();
  if (!f.PosterName.empty()) assets.WarmUp(kAssetImages, f.PosterName);
  if (!f.FileName.empty()) assets.WarmUp(kAssetFilms, f.FileName);
  if (f.MapIndex >= 0) host_.Controls().RunMapPhase(Phase::kPreload, f.MapIndex);
}

void TFilmy::PlayFilm(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TFil& f = Record(index);
  platform::FilmPlayer& film = host_.Film();
  // A file that cannot be opened shows nothing: no frame, no silence, no end.
  if (!film.Open()) return;
  film.SetDisplayRect(e.Rect);
  // Saves what the film covers (when it can stop early) and draws the frame around it.
  e.Appearance.DrawAppearing();
  e.Played = true;
  if (f.Silence) {
    host_.Platform().Sounds().PlaySound("", platform::kSndFilename | platform::kSndAsync);
  }
  film.Play(0);
}

void TFilmy::StopPlayback(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TFil& f = Record(index);
  platform::FilmPlayer& film = host_.Film();
  film.Stop();
  // Nothing was saved before the first play: the rectangle is left as it is.
  if (f.PosterName.empty() && e.Played) e.Appearance.DrawDisappearing();
  if (e.PosterRender) e.PosterRender->Execute();
  film.SetOnNotify(nullptr);
}

void TFilmy::Play(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TFil& f = Record(index);
  PlayFilm(index);
  if (!e.Timer) return;
  if (f.StopAfter < 1) {
    e.Timer->Disarm();
  } else {
    e.Timer->Arm(f.StopAfter, [this, index] { StopFilm(index); });
  }
}

void TFilmy::Pause(int32_t /*index*/) {
  platform::FilmPlayer& film = host_.Film();
  if (film.Mode() == platform::FilmMode::kPlaying) {
    film.Pause();
  } else if (film.Mode() == platform::FilmMode::kPaused) {
    film.Resume();
  }
}

void TFilmy::StopFilm(int32_t index) {
  StopPlayback(index);
  if (Live& e = *live_[size_t(index)]; e.Timer) e.Timer->Disarm();
}

void TFilmy::EndOfFilm(int32_t /*index*/) {
  host_.Film().SetOnNotify(nullptr);
  host_.LeavePage({kActionNext, 0});
}

}  // namespace velmorant
