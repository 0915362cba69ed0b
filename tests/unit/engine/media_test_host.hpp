#pragma once

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "elements/interactive/maps.hpp"
#include "elements/media/films.hpp"
#include "elements/media/sounds.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant::testing {

// The fake host with maps, sounds and films, a folder for their files, the event log written
// there, and page changes and time as the player runs them.
class MediaHost {
 public:
  explicit MediaHost(const std::string& name)
      : dir(std::filesystem::temp_directory_path() / ("velmorant_media_" + name)) {
    std::filesystem::create_directories(dir);
    host.backend.Log().Open((dir / "log.jsonl").string());
    host.backend.Log().SetFolder(dir.string());
    auto maps = std::make_unique<TMapy>(host);
    host.kinds.SetControls(*maps);
    host.kinds.Add(ElementSet::kMaps, std::move(maps));
    host.kinds.Add(ElementSet::kSounds, std::make_unique<TDzwieki>(host));
    host.kinds.Add(ElementSet::kFilms, std::make_unique<TFilmy>(host));
  }
  ~MediaHost() { std::filesystem::remove_all(dir); }

  std::string Path(const std::string& file) const { return (dir / file).string(); }

  void Load(Definition d) {
    host.Load(std::move(d));
    host.display.CurrentPage = 0;
    Enter();
  }
  // The page change of the presentation window's close query.
  void GoTo(int32_t page) {
    TDisplay& display = host.display;
    display.StopPage();
    display.HidePage();
    display.CurrentPage = page;
    Enter();
  }
  void Enter() {
    TDisplay& display = host.display;
    display.ShowPage();
    display.ComposePage();
    display.StartPage();
    display.ActivatePage();
  }
  void Click(int32_t map, int32_t region) { host.kinds.Controls().Click(map, region); }
  // Runs the loop until `ms` on the virtual clock, timers at their own times.
  void RunUntil(int64_t ms) {
    platform::EventLoop& loop = host.backend.Loop();
    for (;;) {
      loop.ProcessMessages();
      const int64_t due = loop.NextTimerDue();
      if (due > ms) break;
      host.backend.Virtual().AdvanceTo(due);
    }
    host.backend.Virtual().AdvanceTo(ms);
    loop.ProcessMessages();
  }

  // The sound and film events so far, as "play music.wav", "stop", "film play f.avi" ...
  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    std::ifstream in(dir / "log.jsonl");
    std::string line;
    while (std::getline(in, line)) {
      const auto e = nlohmann::json::parse(line);
      if (e["event"] != "sound" && e["event"] != "film") continue;
      const std::string file = e.value("file", "");
      std::string text = e["event"] == "film" ? "film " : "";
      text += e["op"].get<std::string>();
      if (!file.empty()) text += " " + file;
      if (e.contains("result") && !e["result"].get<bool>()) text += " (false)";
      out.push_back(text);
    }
    return out;
  }

  std::filesystem::path dir;
  FakeEngineHost host{64, 48};
};

}  // namespace velmorant::testing
