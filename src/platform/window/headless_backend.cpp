#include "platform/window/headless_backend.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "platform/film/decoded_film_player.hpp"
#include "platform/film/frame_sources.hpp"
#include "platform/gfx/png_writer.hpp"

namespace velmorant::platform {

class HeadlessBackend::HeadlessWindow final : public Window {
 public:
  HeadlessWindow(HeadlessBackend& backend) : backend_(backend) {
    backend_.windows_.push_back(this);
  }
  // Input and paints waiting for a window that goes away are dropped with it.
  ~HeadlessWindow() override {
    backend_.loop_.CancelAll(static_cast<const Window*>(this));
    std::erase(backend_.windows_, this);
  }
  void Show() override {
    const bool was = visible_;
    Window::Show();
    // Raise it to be the one that gets the script's input.
    std::erase(backend_.windows_, this);
    backend_.windows_.push_back(this);
    if (!was) Invalidate();
  }
  void Invalidate() override {
    backend_.loop_.PostPaint(static_cast<const Window*>(this), [this] { DeliverPaint(); });
  }

 private:
  HeadlessBackend& backend_;
};

HeadlessBackend::HeadlessBackend(HeadlessOptions options)
    : options_(std::move(options)), fonts_(options_.fonts) {
  fonts_.ChargeGlyphsTo(Memory());
}

HeadlessBackend::~HeadlessBackend() = default;

std::unique_ptr<Window> HeadlessBackend::CreateWindow(const std::string& /*title*/) {
  return std::make_unique<HeadlessWindow>(*this);
}

std::unique_ptr<FilmPlayer> HeadlessBackend::CreateFilmPlayer(Window& display) {
  return std::make_unique<DecodedFilmPlayer>(log_, loop_, display, MakeSyncFrameSource());
}

MessageAnswer HeadlessBackend::ShowMessage(const std::string& caption, const std::string& text,
                                           MessageButtons buttons, MessageIcon /*icon*/) {
  const MessageAnswer answer =
      buttons == MessageButtons::kOk ? MessageAnswer::kOk : options_.answer;
  const char* word = answer == MessageAnswer::kOk    ? "ok"
                     : answer == MessageAnswer::kYes ? "yes"
                                                     : "no";
  log_.Write("message", {{"caption", caption}, {"text", text}, {"answer", word}});
  return answer;
}

Window* HeadlessBackend::InputTarget() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->IsVisible()) return *it;
  }
  return nullptr;
}

std::vector<const Window*> HeadlessBackend::ShownWindows() const {
  std::vector<const Window*> shown;
  for (const HeadlessWindow* w : windows_) {
    if (w->IsVisible()) shown.push_back(w);
  }
  return shown;
}

void HeadlessBackend::TakeSnapshot(const std::string& name) {
  Window* w = InputTarget();
  const Bitmap picture = w ? w->Composite() : Bitmap();
  std::error_code ec;
  std::filesystem::create_directories(options_.snapshots, ec);
  const auto path = options_.snapshots / (name + ".png");
  if (!WritePng(picture, path)) std::cerr << "velmorant: cannot write snapshot " << path << '\n';
}

void HeadlessBackend::PostMove(Window& w, Point at) {
  loop_.PostFor(&w, [this, &w, at] {
    w.DeliverMouseMove(at.x, at.y);
    // The shapes child controls give the pointer are logged; the window's own are not.
    const int16_t child = w.ChildCursorAt(at);
    if (child != child_cursor_) {
      child_cursor_ = child;
      log_.Write("cursor", {{"cursor", child}});
    }
  });
}

bool HeadlessBackend::Run(const ScriptCommand& c) {
  using K = ScriptCommand::Kind;
  Window* w = InputTarget();
  switch (c.kind) {
    case K::kSnapshot:
      TakeSnapshot(c.name);
      return false;
    case K::kWait:
      wait_until_ = clock_.NowMs() + c.ms;
      return false;
    case K::kMove:
      pointer_ = {c.x, c.y};
      if (w) PostMove(*w, {c.x, c.y});
      return true;
    case K::kClick:
      // A real pointer moves to where it clicks; the move comes first.
      if (pointer_ != Point{c.x, c.y}) {
        pointer_ = {c.x, c.y};
        if (w) PostMove(*w, {c.x, c.y});
      }
      // A click is a press and a release at the same moment.
      if (w) {
        loop_.PostFor(w, [w, c] { w->DeliverMouseDown(c.button, c.x, c.y); });
        loop_.PostFor(w, [w, c] { w->DeliverMouseUp(c.button, c.x, c.y); });
      }
      return true;
    case K::kKey:
      if (w) loop_.PostFor(w, [w, c] { w->DeliverKeyDown(c.key); });
      return true;
    case K::kWheel:
      if (w) loop_.PostFor(w, [w, c] { w->DeliverWheel(c.x, c.y, c.delta); });
      return true;
    case K::kClose:
      if (w) loop_.PostFor(w, [w] { w->DeliverSystemClose(); });
      return true;
  }
  return false;
}

bool HeadlessBackend::WaitForInput(int64_t deadline) {
  for (;;) {
    if (wait_until_ > clock_.NowMs()) {
      // Timers that fall due inside the wait run at their own time, in order.
      if (deadline <= wait_until_) {
        clock_.AdvanceTo(deadline);
        return true;
      }
      clock_.AdvanceTo(wait_until_);
    }
    if (next_command_ >= options_.script.size()) return false;
    if (Run(options_.script[next_command_++])) return true;
  }
}

}  // namespace velmorant::platform
