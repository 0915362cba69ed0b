#include "platform/web/web_backend.hpp"

#include <algorithm>
#include <limits>

#include "platform/film/decoded_film_player.hpp"
#include "platform/film/frame_sources.hpp"
#include "platform/web/web_film_sound.hpp"
#include "platform/web/web_keys.hpp"
#include "platform/web/web_shell.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kWheelDelta = 120;
// The screen of a presentation that names no design size.
constexpr Size kDefaultScreen{1024, 768};
// A wait with no timer due still wakes now and then: the page may have ended the run meanwhile.
constexpr int64_t kLongestWaitMs = 1000;

// The pictures a cursor of ours shows; nothing for the browser's own shapes.
std::optional<CursorImage> PictureOf(int16_t cursor) {
  switch (cursor) {
    case kCrMultiDrag:
      return MultiDragCursor();
    default:
      return std::nullopt;
  }
}

}  // namespace

WebBackend::WebBackend(WebOptions options, WebPage& page, WebAudio& audio, WebOpener& opener,
                       WebPrintDialog& print_dialog)
    : page_(page),
      audio_(audio),
      options_(std::move(options)),
      fonts_(options_.fonts),
      shell_(MakeWebShell(log_, options_.no_launch, opener,
                          {options_.presentation, options_.code_page, &Memory()})),
      printer_(log_, fonts_, print_dialog, Memory()),
      screen_(page_, kDefaultScreen) {
  fonts_.ChargeGlyphsTo(Memory());
}

WebBackend::~WebBackend() = default;

ScreenInfo WebBackend::Screen() const {
  const Size size = screen_.GetSize();
  return {size.width, size.height, 32};
}

void WebBackend::SetDesignSize(Size design) {
  if (design.width > 0 && design.height > 0) screen_.Resize(design);
}

std::unique_ptr<FilmPlayer> WebBackend::CreateFilmPlayer(Window& display) {
  auto source =
      std::make_unique<WebFilmSound>(MakeSyncFrameSource(), audio_, log_, clock_, &Memory());
  return std::make_unique<DecodedFilmPlayer>(log_, loop_, display, std::move(source));
}

std::unique_ptr<Window> WebBackend::CreateWindow(const std::string& /*title*/) {
  return std::make_unique<WebWindow>(loop_, screen_);
}

MessageAnswer WebBackend::ShowMessage(const std::string& caption, const std::string& text,
                                      MessageButtons buttons, MessageIcon icon) {
  PresentIfChanged();
  const MessageAnswer asked = page_.Ask(caption, text, buttons, icon);
  const MessageAnswer answer = buttons == MessageButtons::kOk ? MessageAnswer::kOk : asked;
  const char* word = answer == MessageAnswer::kOk    ? "ok"
                     : answer == MessageAnswer::kYes ? "yes"
                                                     : "no";
  log_.Write("message", {{"caption", caption}, {"text", text}, {"answer", word}});
  return answer;
}

bool WebBackend::WaitForInput(int64_t deadline) {
  PollInput();
  if (loop_.HasWaiting()) return true;
  PresentIfChanged();
  UpdateCursor();
  int64_t wait = kLongestWaitMs;
  if (deadline != std::numeric_limits<int64_t>::max()) {
    wait = std::clamp<int64_t>(deadline - clock_.NowMs(), 0, kLongestWaitMs);
  }
  page_.WaitForInput(wait);
  PollInput();
  return true;
}

void WebBackend::PollInput() {
  while (std::optional<PageInput> input = page_.NextInput()) Handle(*input);
  FlushMotion();
  // A click or a key may have let the page sound.
  sounds_.Update();
}

void WebBackend::Handle(const PageInput& input) {
  if (input.kind == PageInput::Kind::kMove) {
    // Moves merge until something else happens, as the Windows queue merges them.
    pending_motion_ = Point{input.x, input.y};
    return;
  }
  FlushMotion();
  switch (input.kind) {
    case PageInput::Kind::kDown:
    case PageInput::Kind::kUp:
      PostButton(input);
      break;
    case PageInput::Kind::kWheel:
      if (Window* w = screen_.Layers().At(pointer_); w && input.wheel_turns != 0) {
        const Point at{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
        const int32_t delta = input.wheel_turns * kWheelDelta;
        loop_.PostFor(w, [w, at, delta] { w->DeliverWheel(at.x, at.y, delta); });
      }
      break;
    case PageInput::Kind::kKey:
      PostKey(input);
      break;
    case PageInput::Kind::kClose:
      if (Window* w = screen_.Layers().Top()) {
        loop_.PostFor(w, [w] { w->DeliverSystemClose(); });
      }
      break;
    case PageInput::Kind::kMove:
      break;
  }
}

void WebBackend::FlushMotion() {
  if (!pending_motion_) return;
  const Point to = *pending_motion_;
  pending_motion_.reset();
  MovePointer(to);
}

void WebBackend::MovePointer(Point to) {
  if (to == pointer_) return;
  pointer_ = to;
  if (Window* w = screen_.Layers().At(to)) {
    const Point at{to.x - w->Bounds().left, to.y - w->Bounds().top};
    loop_.PostFor(w, [w, at] { w->DeliverMouseMove(at.x, at.y); });
  }
}

void WebBackend::PostButton(const PageInput& input) {
  // A real pointer is where it clicks: its move comes first.
  MovePointer({input.x, input.y});
  Window* w = screen_.Layers().At(pointer_);
  if (!w) return;
  const Point at{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
  const MouseButton button = input.button;
  if (input.kind == PageInput::Kind::kDown) {
    loop_.PostFor(w, [w, at, button] { w->DeliverMouseDown(button, at.x, at.y); });
  } else {
    loop_.PostFor(w, [w, at, button] { w->DeliverMouseUp(button, at.x, at.y); });
  }
}

void WebBackend::PostKey(const PageInput& input) {
  const uint16_t key = VirtualKeyOfDom(input.code, input.key, input.num_lock);
  if (key == 0) return;
  Window* w = screen_.Layers().Top();
  if (!w) return;
  const KeyModifiers modifiers = input.modifiers;
  loop_.PostFor(w, [w, key, modifiers] { w->DeliverKeyDown(key, modifiers); });
}

void WebBackend::PresentIfChanged() {
  if (loop_.Dispatched() == presented_at_) return;
  presented_at_ = loop_.Dispatched();
  screen_.PresentAll();
}

void WebBackend::UpdateCursor() {
  int16_t wanted = screen_cursor_;
  if (wanted == kCrDefault) {
    const Window* w = screen_.Layers().At(pointer_);
    wanted = w ? w->CursorAt(pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top)
               : int16_t{kCrDefault};
  }
  if (wanted == shown_cursor_) return;
  shown_cursor_ = wanted;
  const std::optional<CursorImage> picture = PictureOf(wanted);
  page_.SetCursor(wanted, picture ? &*picture : nullptr);
}

}  // namespace velmorant::platform
