#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/about_box.hpp"
#include "app/assets.hpp"
#include "app/border_window.hpp"
#include "app/presentation_window.hpp"
#include "app/settings.hpp"
#include "definition/definition.hpp"
#include "display/display.hpp"
#include "display/history.hpp"
#include "platform/backend.hpp"
#include "platform/fs/codepage.hpp"
#include "sequence/element_kinds.hpp"
#include "sequence/engine_host.hpp"
#include "sequence/media.hpp"
#include "sequence/screens.hpp"

namespace velmorant {

struct PlayerOptions {
  std::filesystem::path presentation;  // the folder with info.med
  std::string interval;                // the first command-line argument
  bool no_launch = false;
  // A second close command within 3 seconds ends the presentation (on a desktop).
  bool end_on_second_close = false;
  // Pages are left only through LeaveFor: auto-advance, films, timers and the slide show do not
  // move on, and no about box follows the end (a handout walks the pages itself).
  bool hold_pages = false;
};

// The one context of a running presentation: the forms, the element managers in their fixed order
// of creation, the history, the settings and the display engine. The engine reaches it only as its
// host.
class Player final : public EngineHost {
 public:
  Player(platform::Backend& backend, platform::CodePage codepage, PlayerOptions options);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;
  ~Player() override;

  // Loads the definition, checks the display and runs the presentation: the exit status.
  int Run();
  void StopAllSound();
  // Leaves the page for `action` even when pages are held.
  void LeaveFor(const TAkc& action);
  // Called with the entry whenever a page has become active.
  std::function<void(int32_t)> OnPageShown;

  // ElementHost.
  const Definition& Def() const override { return definition; }
  AssetSource& Assets() override { return assets; }
  DrawingContext& Drawing() override { return display; }
  platform::EventLoop& Loop() override { return backend.Loop(); }
  MouseRegions& Regions() override { return display; }
  ControlRegistry& Controls() override { return kinds.Controls(); }
  ChildControls& Children() override { return *window; }
  void LeavePage(const TAkc& action) override;
  platform::Backend& Platform() override { return backend; }
  platform::FilmPlayer& Film() override { return window->Film(); }
  int32_t& CurrentSound() override { return display.CurrentSound; }
  std::string ToUtf8(const std::string& bytes) const override { return codepage.ToUtf8(bytes); }
  int32_t CodePageNumber() const override { return codepage.Number(); }

  // EngineHost.
  TDisplay& Display() override { return display; }
  TMedia& Media() override { return media; }
  TEkrany& Screens() override { return screens; }
  ElementKinds& Kinds() override { return kinds; }
  PageWindow& Window() override { return *window; }
  THist& History() override { return hist; }

  platform::Backend& backend;
  const PlayerOptions options;
  platform::CodePage codepage;
  Definition definition;

  // The forms, then the managers in their order of creation, then history, settings, engine.
  std::unique_ptr<Tffprmain> about;
  std::unique_ptr<Tffmexec> window;
  std::unique_ptr<Tffmborder> border;
  TMedia media{*this};
  TEkrany screens{*this};
  ElementKinds kinds = MakeElementKinds(*this);
  THist hist;
  TOgolne settings;
  TDisplay display{*this};
  velmorant::Assets assets{settings, display.AltAssets, codepage, backend.Memory()};

 private:
  std::filesystem::path DefinitionPath();
  bool LoadDefinitionFile();
  bool CheckDisplay();
  int32_t FirstPageWithScreen() const;
};

}  // namespace velmorant
