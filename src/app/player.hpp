#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/assets.hpp"
#include "app/border_window.hpp"
#include "app/history.hpp"
#include "app/presentation_window.hpp"
#include "app/settings.hpp"
#include "definition/definition.hpp"
#include "display/display.hpp"
#include "elements/interactive/maps.hpp"
#include "elements/visual/backgrounds.hpp"
#include "platform/backend.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/text/font_engine.hpp"
#include "sequence/media.hpp"
#include "sequence/screens.hpp"

namespace velmorant {

struct PlayerOptions {
  std::filesystem::path presentation;  // the folder with info.med
  std::string interval;                // the first command-line argument
  bool no_launch = false;
};

// The one context of a running presentation: the forms, the element managers in their fixed order
// of creation, the history, the settings and the display engine. Code reaches its siblings here.
class Player {
 public:
  Player(platform::Backend& backend, platform::CodePage codepage, PlayerOptions options);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;
  ~Player();

  // Loads the definition, checks the display and runs the presentation: the exit status.
  int Run();

  // The manager of an element set; nothing for kinds this player does not show yet.
  ElementKind* KindFor(ElementSet set);
  std::string ToUtf8(const std::string& bytes) const { return codepage.ToUtf8(bytes); }
  void StopAllSound();

  platform::Backend& backend;
  const PlayerOptions options;
  platform::CodePage codepage;
  std::unique_ptr<platform::FontEngine> fonts;
  Definition definition;
  Assets assets{*this};

  // The forms, then the managers in their order of creation, then history, settings, engine.
  std::unique_ptr<Tffmexec> window;
  std::unique_ptr<Tffmborder> border;
  TMedia media{*this};
  TEkrany screens{*this};
  TTla backgrounds{*this};
  TMapy maps{*this};
  THist hist;
  TOgolne settings;
  TDisplay display{*this};

 private:
  std::filesystem::path DefinitionPath();
  bool LoadDefinitionFile();
  bool CheckDisplay();
  int32_t FirstPageWithScreen() const;
};

}  // namespace velmorant
