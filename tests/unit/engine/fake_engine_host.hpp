#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "display/display.hpp"
#include "display/render_helpers.hpp"
#include "platform/window/headless_backend.hpp"
#include "sequence/engine_host.hpp"
#include "sequence/media.hpp"
#include "sequence/screens.hpp"

namespace velmorant::testing {

// A presentation window that is only a surface and a hint panel; close requests are counted.
class FakePageWindow final : public PageWindow, public ChildControls {
 public:
  FakePageWindow(platform::EventLoop& loop, int32_t width, int32_t height)
      : surface(width, height), timer_hint(loop) {}

  platform::Bitmap& Surface() override { return surface; }
  platform::Size ClientSize() const override { return surface.GetSize(); }
  void Present() override {
    ++presents;
    if (on_present) on_present();
  }
  void Close() override { ++close_requests; }
  bool ShowModal() override { return true; }
  platform::Point LastMouse() const override { return last_mouse; }
  HintPanel& Hint() override { return hint; }
  platform::Timer& TimerHint() override { return timer_hint; }
  void AddChild(platform::ChildControl* child) override { children.push_back(child); }
  void RemoveChild(platform::ChildControl* child) override {
    std::erase(children, child);
    if (focus == child) focus = nullptr;
  }
  void SendToBack(platform::ChildControl* child) override {
    std::erase(children, child);
    children.insert(children.begin(), child);
  }
  void Focus(platform::ChildControl* child) override { focus = child; }

  platform::Bitmap surface;
  platform::Timer timer_hint;
  HintPanel hint{platform::Font(), nullptr};
  platform::Point last_mouse{-1, -1};
  int presents = 0;
  std::function<void()> on_present;
  int close_requests = 0;
  std::vector<platform::ChildControl*> children;
  platform::ChildControl* focus = nullptr;
};

// Pictures from a map of names, never from disk.
class FakeAssets final : public AssetSource {
 public:
  // A kind's folder is /show/KIND; a name with ".." would leave the presentation. Absolute
  // names stand as they are, for tests that play real files.
  std::string PathOf(int32_t kind, const std::string& name) override {
    if (name.find("..") != std::string::npos) return {};
    if (name.starts_with('/')) return name;
    return FolderOf(kind) + "/" + name;
  }
  std::string FolderOf(int32_t kind) override { return "/show/" + std::to_string(kind); }
  std::string PresentationFolder() const override { return "/show/"; }
  std::string PathInside(const std::string& relative) override {
    if (relative.find("..") != std::string::npos) return {};
    return "/show/" + relative;
  }
  std::optional<std::vector<uint8_t>> FileBytes(int32_t /*kind*/,
                                                const std::string& name) override {
    ++reads;
    const auto it = files.find(name);
    if (it == files.end()) return std::nullopt;
    return std::vector<uint8_t>(it->second.begin(), it->second.end());
  }
  SharedPicture Picture(int32_t /*kind*/, const std::string& name) override {
    const auto it = pictures.find(name);
    if (it == pictures.end()) return nullptr;
    return std::make_shared<const platform::Bitmap>(it->second);
  }
  // The mask of `mask_of` comes from `masks`, under the picture's name.
  MaskedPicture PictureWithMask(int32_t kind, const std::string& name,
                                const std::string& mask_of) override {
    SharedPicture picture = Picture(kind, name);
    const auto mask = masks.find(mask_of);
    if (!picture || mask == masks.end()) return {picture, nullptr};
    platform::Bitmap prepared = *picture;
    PrepareMaskedImage(prepared, &mask->second);
    return {std::make_shared<const platform::Bitmap>(std::move(prepared)),
            std::make_shared<const platform::Bitmap>(mask->second)};
  }
  void Warn(int32_t /*kind*/, const std::string& name, const std::string& why) override {
    warnings.push_back(name + ": " + why);
  }
  void WarmUp(int32_t /*kind*/, const std::string& name) override { warmed.push_back(name); }
  void WarmUpMask(int32_t /*kind*/, const std::string& name) override {
    warmed.push_back(name + ":mask");
  }

  std::map<std::string, platform::Bitmap> pictures;
  std::map<std::string, platform::Bitmap> masks;
  std::map<std::string, std::string> files;
  std::vector<std::string> warmed;
  std::vector<std::string> warnings;
  size_t reads = 0;  // FileBytes calls
};

// The engine on its own, headless, with kinds of the test's choosing: load a definition with
// Load(), then drive the display engine's page phases.
class FakeEngineHost final : public EngineHost {
 public:
  explicit FakeEngineHost(int32_t width = 64, int32_t height = 48)
      : backend(platform::HeadlessOptions{}),
        window(backend.Loop(), width, height),
        film_window(backend.CreateWindow("film")),
        film(backend.CreateFilmPlayer(*film_window)) {}

  void Load(Definition d) {
    definition = std::move(d);
    media.OnDefinitionLoaded();
    screens.OnDefinitionLoaded();
    kinds.OnDefinitionLoaded();
    display.PageCount = media.Count();
  }

  const Definition& Def() const override { return definition; }
  AssetSource& Assets() override { return assets_override ? *assets_override : assets; }
  DrawingContext& Drawing() override { return display; }
  platform::EventLoop& Loop() override { return backend.Loop(); }
  MouseRegions& Regions() override { return display; }
  ControlRegistry& Controls() override { return kinds.Controls(); }
  ChildControls& Children() override { return window; }
  void LeavePage(const TAkc& action) override {
    display.PendingAction = action;
    window.Close();
  }
  platform::Backend& Platform() override {
    return platform_override ? *platform_override : backend;
  }
  platform::FilmPlayer& Film() override { return *film; }
  int32_t& CurrentSound() override { return display.CurrentSound; }
  std::string ToUtf8(const std::string& bytes) const override { return bytes; }
  int32_t CodePageNumber() const override { return 1250; }

  TDisplay& Display() override { return display; }
  TMedia& Media() override { return media; }
  TEkrany& Screens() override { return screens; }
  ElementKinds& Kinds() override { return kinds; }
  PageWindow& Window() override { return window; }
  THist& History() override { return hist; }

  platform::HeadlessBackend backend;
  platform::Backend* platform_override = nullptr;  // instead of `backend`, when set
  FakePageWindow window;
  std::unique_ptr<platform::Window> film_window;
  std::unique_ptr<platform::FilmPlayer> film;
  Definition definition;
  FakeAssets assets;
  AssetSource* assets_override = nullptr;  // instead of `assets`, when set
  TMedia media{*this};
  TEkrany screens{*this};
  ElementKinds kinds;
  THist hist;
  TDisplay display{*this};
};

}  // namespace velmorant::testing
