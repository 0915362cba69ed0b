#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/backend.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/web/web_audio.hpp"
#include "platform/web/web_opener.hpp"
#include "platform/web/web_page.hpp"
#include "platform/web/web_printer.hpp"
#include "platform/web/web_screen.hpp"
#include "platform/web/web_sound_player.hpp"

namespace velmorant::platform {

struct WebOptions {
  FontEngine::Options fonts;
  bool no_launch = false;
  // What the shell opens is read from this folder only, its plain texts in this code page.
  std::filesystem::path presentation;
  int code_page = CodePage::kDefault;
};

// The page's clock: milliseconds since the player started, and sleeps that leave the page live.
class WebClock final : public Clock {
 public:
  explicit WebClock(WebPage& page) : page_(page), start_(page.NowMs()) {}
  int64_t NowMs() const override { return page_.NowMs() - start_; }
  void Sleep(int64_t ms) override {
    if (ms > 0) page_.Sleep(ms);
  }

 private:
  WebPage& page_;
  int64_t start_;
};

// The browser: one canvas of the presentation's design size, the DOM's mouse and keys, the page's
// dialogs, sounds and films' sounds through the page's output, its tabs and its print dialog.
class WebBackend final : public Backend {
 public:
  WebBackend(WebOptions options, WebPage& page, WebAudio& audio, WebOpener& opener,
             WebPrintDialog& print_dialog);
  ~WebBackend() override;

  Clock& GetClock() override { return clock_; }
  EventLoop& Loop() override { return loop_; }
  EventLog& Log() override { return log_; }
  SoundPlayer& Sounds() override { return sounds_; }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override;
  Shell& Launcher() override { return *shell_; }
  Printer& Printing() override { return printer_; }
  FontEngine& Fonts() override { return fonts_; }
  // The design size at 32 bits, so that no display check asks anything: the page scales.
  ScreenInfo Screen() const override;
  void SetDesignSize(Size design) override;
  std::unique_ptr<Window> CreateWindow(const std::string& title) override;
  void SetScreenCursor(int16_t cursor) override { screen_cursor_ = cursor; }
  int16_t ScreenCursor() const override { return screen_cursor_; }
  MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                            MessageButtons buttons, MessageIcon icon) override;
  bool WaitForInput(int64_t deadline) override;
  void PollInput() override;

 private:
  void Handle(const PageInput& input);
  void MovePointer(Point to);
  void FlushMotion();
  void PostButton(const PageInput& input);
  void PostKey(const PageInput& input);
  void PresentIfChanged();
  void UpdateCursor();

  WebPage& page_;
  WebAudio& audio_;
  WebOptions options_;
  WebClock clock_{page_};
  EventLoop loop_{clock_};
  EventLog log_{clock_};
  FontEngine fonts_;
  WebSoundPlayer sounds_{audio_, log_, clock_, &Backend::Memory()};
  std::unique_ptr<Shell> shell_;
  WebPrinter printer_;
  WebScreen screen_;
  int16_t screen_cursor_ = kCrDefault;
  std::optional<int16_t> shown_cursor_;  // none set yet
  uint64_t presented_at_ = 0;
  Point pointer_{-1, -1};
  std::optional<Point> pending_motion_;
};

}  // namespace velmorant::platform
