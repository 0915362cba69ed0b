#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/audio/recording_sound_player.hpp"
#include "platform/backend.hpp"
#include "platform/shell/shells.hpp"
#include "platform/text/recording_printer.hpp"
#include "platform/window/headless_script.hpp"

namespace velmorant::platform {

struct HeadlessOptions {
  ScreenInfo screen;
  FontEngine::Options fonts;
  MessageAnswer answer = MessageAnswer::kYes;  // to yes/no questions
  std::vector<ScriptCommand> script;
  std::filesystem::path snapshots = ".";
  bool no_launch = false;  // launches fail instead of holding pretend processes
  // Printed documents become PDF files here (--print-to); without it they are only logged.
  std::optional<std::filesystem::path> print_to;
};

// No display, sound or shell: a virtual clock, windows that are only surfaces, input from a script.
class HeadlessBackend final : public Backend {
 public:
  explicit HeadlessBackend(HeadlessOptions options);
  ~HeadlessBackend() override;

  Clock& GetClock() override { return clock_; }
  EventLoop& Loop() override { return loop_; }
  EventLog& Log() override { return log_; }
  SoundPlayer& Sounds() override { return sounds_; }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override;
  Shell& Launcher() override { return *shell_; }
  Printer& Printing() override { return printer_; }
  FontEngine& Fonts() override { return fonts_; }
  ScreenInfo Screen() const override { return options_.screen; }
  std::unique_ptr<Window> CreateWindow(const std::string& title) override;
  void SetScreenCursor(int16_t cursor) override { screen_cursor_ = cursor; }
  int16_t ScreenCursor() const override { return screen_cursor_; }
  MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                            MessageButtons buttons, MessageIcon icon) override;
  bool WaitForInput(int64_t deadline) override;

  // The virtual clock moves only through these.
  VirtualClock& Virtual() { return clock_; }
  // The visible windows, bottom first: what a screen would show.
  std::vector<const Window*> ShownWindows() const;
  // Queues a script command's input now, behind whatever waits: input that arrives while an
  // earlier event is still being handled.
  void Post(const ScriptCommand& c) { Run(c); }

 private:
  class HeadlessWindow;
  Window* InputTarget() const;
  void TakeSnapshot(const std::string& name);
  // Posts the command's input; false for commands that post nothing.
  bool Run(const ScriptCommand& c);
  void PostMove(Window& w, Point at);

  HeadlessOptions options_;
  VirtualClock clock_;
  EventLoop loop_{clock_};
  EventLog log_{clock_};
  FontEngine fonts_;
  RecordingSoundPlayer sounds_{log_, clock_, &Backend::Memory()};
  std::unique_ptr<Shell> shell_ = MakeHeadlessShell(log_, options_.no_launch);
  RecordingPrinter printer_{log_, fonts_, options_.print_to};
  int16_t screen_cursor_ = kCrDefault;
  std::vector<HeadlessWindow*> windows_;
  size_t next_command_ = 0;
  int64_t wait_until_ = 0;
  Point pointer_{-1, -1};
  int16_t child_cursor_ = kCrDefault;  // the pointer's shape over a child control, last logged
};

}  // namespace velmorant::platform
