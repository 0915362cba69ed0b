#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/sound_player.hpp"
#include "platform/film/film_player.hpp"
#include "platform/loop/clock.hpp"
#include "platform/loop/event_log.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/memory_budget.hpp"
#include "platform/shell/shell.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/printer.hpp"
#include "platform/window/clipboard.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

struct ScreenInfo {
  int32_t width = 1024;
  int32_t height = 768;
  int32_t bits = 32;
};

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kError, kQuestion, kInformation };
enum class MessageAnswer { kOk, kYes, kNo };

// Everything the player needs of the machine, chosen once in main: headless or desktop.
class Backend {
 public:
  virtual ~Backend() = default;

  virtual Clock& GetClock() = 0;
  virtual EventLoop& Loop() = 0;
  virtual EventLog& Log() = 0;

  // The services element kinds play, open and print through.
  virtual SoundPlayer& Sounds() = 0;
  // The film player whose pictures appear in `display`.
  virtual std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) = 0;
  virtual Shell& Launcher() = 0;
  virtual Printer& Printing() = 0;
  virtual FontEngine& Fonts() = 0;

  virtual ScreenInfo Screen() const = 0;
  // The size the presentation was made for, known once its definition is loaded and before any
  // window shows: a desktop may then play on a virtual screen of that size (Screen() says so).
  virtual void SetDesignSize(Size /*design*/) {}
  virtual std::unique_ptr<Window> CreateWindow(const std::string& title) = 0;
  // A small decorated window of its own with a caption and a close box (the about box).
  virtual std::unique_ptr<Window> CreateDialog(const std::string& title) {
    return CreateWindow(title);
  }
  // The application-wide cursor; kCrDefault lets each window's own cursor show.
  virtual void SetScreenCursor(int16_t cursor) = 0;
  virtual int16_t ScreenCursor() const = 0;

  // Texts are UTF-8. The answer is logged as a "message" event.
  virtual MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                                    MessageButtons buttons, MessageIcon icon) = 0;

  // Waits for input until `deadline` (the next timer due, on the backend's clock) and posts it to
  // the loop. False when no input will ever come again (a headless script that ran out).
  virtual bool WaitForInput(int64_t deadline) = 0;
  // Posts the input that waits now, without blocking, so that it goes before due timer ticks.
  virtual void PollInput() {}
  // True once the user asked the whole player to end (Ctrl+C, SIGTERM): no more input comes.
  virtual bool EndRequested() const { return false; }
  // Where a text's selection is copied; a desktop gives its own, the default keeps it here.
  virtual Clipboard& TextClipboard() { return own_clipboard_; }
  // The one budget of decoded memory that every reader of the presentation charges.
  virtual MemoryBudget& Memory() { return own_memory_; }

 private:
  MemoryClipboard own_clipboard_;
  MemoryBudget own_memory_;
};

}  // namespace velmorant::platform
