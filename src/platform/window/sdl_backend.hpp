#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/backend.hpp"
#include "platform/window/desktop_services.hpp"
#include "platform/window/scale_mode.hpp"
#include "platform/window/sdl_clipboard.hpp"
#include "platform/window/sdl_cursors.hpp"
#include "platform/window/sdl_screen.hpp"

namespace velmorant::platform {

struct SdlOptions {
  std::optional<Size> window;  // a window of this client size instead of the full screen
  std::optional<int> display;  // the monitor; default the one under the pointer, else the first
  // A monitor the user's settings prefer: the default one when it is not there.
  std::optional<int> preferred_display;
  // How a presentation's design size is shown; none chosen plays as kNone, with a hint where
  // scaling would help.
  std::optional<ScaleMode> scale;
  FontEngine::Options fonts;
  bool no_launch = false;                         // open and start nothing; the attempts are logged
  std::optional<std::filesystem::path> print_to;  // printed documents as PDF files here
};

// SDL and the video subsystem for the life of the backend.
class SdlLibrary {
 public:
  SdlLibrary();
  ~SdlLibrary();
  SdlLibrary(const SdlLibrary&) = delete;
  SdlLibrary& operator=(const SdlLibrary&) = delete;
};

// The desktop: real windows on one monitor, the real clock, the mouse and the keyboard.
class SdlBackend final : public Backend {
 public:
  // Throws SdlError or std::runtime_error when there is no display or no such monitor.
  explicit SdlBackend(SdlOptions options);
  ~SdlBackend() override;

  Clock& GetClock() override { return clock_; }
  EventLoop& Loop() override { return loop_; }
  EventLog& Log() override { return log_; }
  SoundPlayer& Sounds() override { return services_.media->Sounds(); }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override {
    return services_.media->CreateFilmPlayer(display);
  }
  Shell& Launcher() override { return *services_.shell; }
  Printer& Printing() override { return *services_.printer; }
  FontEngine& Fonts() override { return fonts_; }
  ScreenInfo Screen() const override { return screen_info_; }
  void SetDesignSize(Size design) override;
  std::unique_ptr<Window> CreateWindow(const std::string& title) override;
  std::unique_ptr<Window> CreateDialog(const std::string& title) override;
  void SetScreenCursor(int16_t cursor) override;
  int16_t ScreenCursor() const override { return screen_cursor_; }
  MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                            MessageButtons buttons, MessageIcon icon) override;
  bool WaitForInput(int64_t deadline) override;
  void PollInput() override;
  bool EndRequested() const override { return end_requested_; }
  Clipboard& TextClipboard() override { return clipboard_; }

  // May be called from any thread: asks for the player's windows to be restored and raised.
  void RequestRaise();

 private:
  SdlScreen* ScreenOf(uint32_t window_id) const;
  void Handle(const SDL_Event& e);
  void HandleWindowEvent(const SDL_WindowEvent& e);
  void MovePointer(uint32_t window_id, int32_t x, int32_t y);
  void FlushMotion();
  void PostMouseDown(const SDL_MouseButtonEvent& e);
  void PostMouseUp(const SDL_MouseButtonEvent& e);
  void PostWheel(const SDL_MouseWheelEvent& e);
  void PostKey(const SDL_KeyboardEvent& e);
  void PresentIfChanged();
  void UpdateCursor();

  std::optional<ScaleMode> scale_;
  SdlLibrary sdl_;
  RealClock clock_;
  EventLoop loop_{clock_};
  EventLog log_{clock_};
  FontEngine fonts_;
  DesktopServices services_;
  ScreenInfo screen_info_;
  std::unique_ptr<SdlScreen> screen_;
  std::vector<SdlScreen*> screens_;  // the main screen and the dialogs' own
  SdlCursors cursors_;
  SdlClipboard clipboard_;
  int16_t screen_cursor_ = kCrDefault;
  uint32_t raise_event_ = 0;
  bool end_requested_ = false;
  uint64_t presented_at_ = 0;
  // The last pointer position: its real window and the monitor point.
  uint32_t pointer_window_ = 0;
  Point pointer_{-1, -1};
  std::optional<SDL_MouseMotionEvent> pending_motion_;
};

}  // namespace velmorant::platform
