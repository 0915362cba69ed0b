#include "platform/window/sdl_backend.hpp"

#include <algorithm>
#include <iostream>
#include <limits>
#include <stdexcept>
#include <string>

#include "platform/window/sdl_keys.hpp"
#include "platform/window/sdl_message_box.hpp"
#include "platform/window/sdl_window.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kWheelDelta = 120;

int ChooseDisplay(const std::optional<int>& wanted, const std::optional<int>& preferred) {
  const int count = SDL_GetNumVideoDisplays();
  if (count < 1) throw SdlError("no monitor found");
  if (!wanted && preferred && *preferred >= 0 && *preferred < count) return *preferred;
  if (wanted) {
    if (*wanted < 0 || *wanted >= count) {
      throw std::runtime_error("--display " + std::to_string(*wanted) + ": the monitors are 0 to " +
                               std::to_string(count - 1));
    }
    return *wanted;
  }
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  const SDL_Point pointer{x, y};
  for (int d = 0; d < count; ++d) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(d, &bounds) == 0 && SDL_PointInRect(&pointer, &bounds)) return d;
  }
  return 0;
}

MouseButton ButtonOf(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_RIGHT:
      return MouseButton::kRight;
    case SDL_BUTTON_MIDDLE:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

}  // namespace

SdlLibrary::SdlLibrary() {
  // A closed window is a close request for the player to answer, not the end of the program.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A full-screen show stays on its monitor while a message box or a launched program has focus.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw SdlError("cannot open the display");
  // On X11, or when asked to draw without a GPU, the window's pixels go to the display server as
  // they are, unless the user says otherwise: SDL would pass them through a GL texture, which
  // without a GPU is a software GL copying every frame twice (a 1080p present took 5 ms of our
  // time instead of 1). SDL reads the hint when the first window surface is made.
  const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const char* video = SDL_GetCurrentVideoDriver();
  const bool software = driver && SDL_strcasecmp(driver, "software") == 0;
  const bool x11 = video && SDL_strcmp(video, "x11") == 0;
  if (!SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION) && (software || x11)) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
}

SdlLibrary::~SdlLibrary() {
  SDL_Quit();
}

SdlBackend::SdlBackend(SdlOptions options)
    : scale_(options.scale),
      fonts_(options.fonts),
      services_(MakeDesktopServices(log_, loop_, fonts_, Backend::Memory(),
                                    {options.no_launch, options.print_to})) {
  fonts_.ChargeGlyphsTo(Memory());
  const int display = ChooseDisplay(options.display, options.preferred_display);
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(display, &mode) != 0) throw SdlError("cannot read the monitor");
  SDL_Rect bounds;
  SDL_GetDisplayBounds(display, &bounds);
  const Size size = options.window ? *options.window : Size{mode.w, mode.h};
  screen_info_ = {size.width, size.height, int32_t(SDL_BITSPERPIXEL(mode.format))};
  SdlScreen::Placement main;
  main.title = "Velmorant";
  main.area = {0, 0, size.width, size.height};
  main.monitor_origin = {bounds.x, bounds.y};
  main.display = display;
  main.full_screen = !options.window;
  main.decorated = bool(options.window);
  screen_ = std::make_unique<SdlScreen>(main);
  screens_.push_back(screen_.get());
  raise_event_ = SDL_RegisterEvents(1);
}

SdlBackend::~SdlBackend() = default;

void SdlBackend::SetDesignSize(Size design) {
  const Size real{screen_info_.width, screen_info_.height};
  const ScaleMode mode = scale_.value_or(ScaleMode::kNone);
  if (mode == ScaleMode::kNone || design.width <= 0 || design.height <= 0) {
    if (!scale_ && SuggestsScaling(real, design)) {
      std::cerr << "velmorant: this presentation was made for a " << design.width << "x"
                << design.height << " screen; --scale fit (or scale=fit in"
                << " $XDG_CONFIG_HOME/velmorant/settings.ini) fills this " << real.width << "x"
                << real.height << " one with it\n";
    }
    return;
  }
  screen_->ScaleTo(design, mode);
  screen_info_.width = design.width;
  screen_info_.height = design.height;
  const Rect output = screen_->Mapping().output;
  cursors_.SetScale(double(output.Width()) / design.width, double(output.Height()) / design.height);
}

std::unique_ptr<Window> SdlBackend::CreateWindow(const std::string& /*title*/) {
  return std::make_unique<SdlWindow>(loop_, *screen_);
}

std::unique_ptr<Window> SdlBackend::CreateDialog(const std::string& title) {
  SdlScreen::Placement own;
  own.title = title;
  own.area = {0, 0, 1, 1};
  int display = SDL_GetWindowDisplayIndex(screen_->Handle());
  SDL_Rect bounds;
  if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) bounds = {0, 0, 0, 0};
  own.monitor_origin = {bounds.x, bounds.y};
  own.display = std::max(display, 0);
  own.decorated = true;
  own.host = screen_.get();
  return std::make_unique<SdlWindow>(loop_, std::make_unique<SdlScreen>(own), screens_);
}

void SdlBackend::SetScreenCursor(int16_t cursor) {
  screen_cursor_ = cursor;
  UpdateCursor();
}

MessageAnswer SdlBackend::ShowMessage(const std::string& caption, const std::string& text,
                                      MessageButtons buttons, MessageIcon icon) {
  PresentIfChanged();
  const MessageAnswer answer = ShowSdlMessageBox(nullptr, caption, text, buttons, icon);
  const char* word = answer == MessageAnswer::kOk    ? "ok"
                     : answer == MessageAnswer::kYes ? "yes"
                                                     : "no";
  log_.Write("message", {{"caption", caption}, {"text", text}, {"answer", word}});
  return answer;
}

void SdlBackend::RequestRaise() {
  SDL_Event e{};
  e.type = raise_event_;
  SDL_PushEvent(&e);
}

SdlScreen* SdlBackend::ScreenOf(uint32_t window_id) const {
  for (SdlScreen* s : screens_) {
    if (s->Id() == window_id) return s;
  }
  return nullptr;
}

bool SdlBackend::WaitForInput(int64_t deadline) {
  PollInput();
  if (end_requested_) return false;
  if (loop_.HasWaiting()) return true;
  PresentIfChanged();
  UpdateCursor();
  SDL_Event e;
  int got = 0;
  if (deadline == std::numeric_limits<int64_t>::max()) {
    got = SDL_WaitEvent(&e);
  } else {
    const int64_t wait = std::clamp<int64_t>(deadline - clock_.NowMs(), 0, 1 << 30);
    got = SDL_WaitEventTimeout(&e, int(wait));
  }
  if (got) Handle(e);
  PollInput();
  return !end_requested_;
}

void SdlBackend::PollInput() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) Handle(e);
  FlushMotion();
}

void SdlBackend::Handle(const SDL_Event& e) {
  if (e.type == SDL_MOUSEMOTION) {
    // Moves merge until something else happens, as the Windows queue merges them.
    pending_motion_ = e.motion;
    return;
  }
  FlushMotion();
  switch (e.type) {
    case SDL_QUIT:
      end_requested_ = true;
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(e.window);
      break;
    case SDL_MOUSEBUTTONDOWN:
      PostMouseDown(e.button);
      break;
    case SDL_MOUSEBUTTONUP:
      PostMouseUp(e.button);
      break;
    case SDL_MOUSEWHEEL:
      PostWheel(e.wheel);
      break;
    case SDL_KEYDOWN:
      PostKey(e.key);
      break;
    default:
      if (e.type == raise_event_) {
        for (SdlScreen* s : screens_) s->Restore();
      }
      break;
  }
}

void SdlBackend::HandleWindowEvent(const SDL_WindowEvent& e) {
  SdlScreen* screen = ScreenOf(e.windowID);
  if (!screen) return;
  switch (e.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      screen->Refresh();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      screen->OutputResized();
      screen->PresentAll();
      break;
    case SDL_WINDOWEVENT_CLOSE:
      if (Window* w = screen->TopLayer()) {
        loop_.PostFor(w, [w] { w->DeliverSystemClose(); });
      }
      break;
    default:
      break;
  }
}

void SdlBackend::FlushMotion() {
  if (!pending_motion_) return;
  const SDL_MouseMotionEvent m = *pending_motion_;
  pending_motion_.reset();
  MovePointer(m.windowID, m.x, m.y);
}

void SdlBackend::MovePointer(uint32_t window_id, int32_t x, int32_t y) {
  SdlScreen* screen = ScreenOf(window_id);
  if (!screen) return;
  const Point p = screen->ToMonitor(x, y);
  if (window_id == pointer_window_ && p == pointer_) return;
  pointer_window_ = window_id;
  pointer_ = p;
  if (Window* w = screen->LayerAt(p)) {
    const Point at{p.x - w->Bounds().left, p.y - w->Bounds().top};
    loop_.PostFor(w, [w, at] { w->DeliverMouseMove(at.x, at.y); });
  }
}

void SdlBackend::PostMouseDown(const SDL_MouseButtonEvent& e) {
  // A real pointer is where it clicks: its move comes first.
  MovePointer(e.windowID, e.x, e.y);
  SdlScreen* screen = ScreenOf(e.windowID);
  Window* w = screen ? screen->LayerAt(pointer_) : nullptr;
  if (!w) return;
  const Point at{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
  const MouseButton button = ButtonOf(e.button);
  // Held, the pointer stays the player's outside its window too: a drag goes on past the edge.
  SDL_CaptureMouse(SDL_TRUE);
  loop_.PostFor(w, [w, at, button] { w->DeliverMouseDown(button, at.x, at.y); });
}

void SdlBackend::PostMouseUp(const SDL_MouseButtonEvent& e) {
  MovePointer(e.windowID, e.x, e.y);
  if ((SDL_GetMouseState(nullptr, nullptr) &
       (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_MMASK)) == 0) {
    SDL_CaptureMouse(SDL_FALSE);
  }
  SdlScreen* screen = ScreenOf(e.windowID);
  Window* w = screen ? screen->LayerAt(pointer_) : nullptr;
  if (!w) return;
  const Point at{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
  const MouseButton button = ButtonOf(e.button);
  loop_.PostFor(w, [w, at, button] { w->DeliverMouseUp(button, at.x, at.y); });
}

void SdlBackend::PostWheel(const SDL_MouseWheelEvent& e) {
  SdlScreen* screen = ScreenOf(e.windowID);
  Window* w = screen ? screen->LayerAt(pointer_) : nullptr;
  if (!w || e.y == 0) return;
  const int32_t turns = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
  const Point at{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
  loop_.PostFor(w, [w, at, turns] { w->DeliverWheel(at.x, at.y, turns * kWheelDelta); });
}

void SdlBackend::PostKey(const SDL_KeyboardEvent& e) {
  const uint16_t key = VirtualKeyOf(e.keysym.sym, e.keysym.scancode, e.keysym.mod);
  if (key == 0) return;
  SdlScreen* screen = ScreenOf(e.windowID);
  if (!screen) screen = screen_.get();
  Window* w = screen->TopLayer();
  if (!w) return;
  const KeyModifiers modifiers{(e.keysym.mod & KMOD_SHIFT) != 0, (e.keysym.mod & KMOD_CTRL) != 0,
                               (e.keysym.mod & KMOD_ALT) != 0};
  loop_.PostFor(w, [w, key, modifiers] { w->DeliverKeyDown(key, modifiers); });
}

void SdlBackend::PresentIfChanged() {
  if (loop_.Dispatched() == presented_at_) return;
  presented_at_ = loop_.Dispatched();
  for (SdlScreen* s : screens_) s->PresentAll();
}

void SdlBackend::UpdateCursor() {
  int16_t wanted = screen_cursor_;
  if (wanted == kCrDefault) {
    SdlScreen* screen = ScreenOf(pointer_window_);
    const Window* w = screen ? screen->LayerAt(pointer_) : nullptr;
    wanted = w ? w->CursorAt(pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top)
               : int16_t{kCrDefault};
  }
  cursors_.Show(wanted);
}

}  // namespace velmorant::platform
