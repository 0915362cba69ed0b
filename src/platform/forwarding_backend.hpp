#pragma once

#include "platform/backend.hpp"

namespace velmorant::platform {

// A backend that hands every call on to another: a decorator overrides only what it changes.
class ForwardingBackend : public Backend {
 public:
  // `inner` is used only after construction, so it may be a member of the decorator.
  explicit ForwardingBackend(Backend& inner) : inner_(inner) {}

  Clock& GetClock() override { return inner_.GetClock(); }
  EventLoop& Loop() override { return inner_.Loop(); }
  EventLog& Log() override { return inner_.Log(); }
  SoundPlayer& Sounds() override { return inner_.Sounds(); }
  std::unique_ptr<FilmPlayer> CreateFilmPlayer(Window& display) override {
    return inner_.CreateFilmPlayer(display);
  }
  Shell& Launcher() override { return inner_.Launcher(); }
  Printer& Printing() override { return inner_.Printing(); }
  FontEngine& Fonts() override { return inner_.Fonts(); }
  ScreenInfo Screen() const override { return inner_.Screen(); }
  std::unique_ptr<Window> CreateWindow(const std::string& title) override {
    return inner_.CreateWindow(title);
  }
  std::unique_ptr<Window> CreateDialog(const std::string& title) override {
    return inner_.CreateDialog(title);
  }
  void SetScreenCursor(int16_t cursor) override { inner_.SetScreenCursor(cursor); }
  int16_t ScreenCursor() const override { return inner_.ScreenCursor(); }
  MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                            MessageButtons buttons, MessageIcon icon) override {
    return inner_.ShowMessage(caption, text, buttons, icon);
  }
  bool WaitForInput(int64_t deadline) override { return inner_.WaitForInput(deadline); }
  void PollInput() override { inner_.PollInput(); }
  bool EndRequested() const override { return inner_.EndRequested(); }
  Clipboard& TextClipboard() override { return inner_.TextClipboard(); }
  MemoryBudget& Memory() override { return inner_.Memory(); }

 private:
  Backend& inner_;
};

}  // namespace velmorant::platform
