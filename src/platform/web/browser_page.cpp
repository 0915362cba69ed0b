#include "platform/web/browser_page.hpp"

#include <emscripten.h>

#include <algorithm>
#include <array>

#include "platform/web/rgba_pixels.hpp"

extern "C" {
// velmorant-library.js
double velmorant_page_now();
void velmorant_page_wait(int ms);
int velmorant_page_next_input(int32_t* numbers, char* code, int code_size, char* key, int key_size);
void velmorant_page_present(const uint8_t* rgba, int left, int top, int width, int height,
                            int screen_width, int screen_height);
void velmorant_page_set_cursor(int cursor, const uint8_t* rgba, int width, int height, int hot_x,
                               int hot_y);
int velmorant_page_ask(const char* caption, const char* text, int yes_no, int icon);
void velmorant_page_finished(int status);
void velmorant_page_soundtrack_file(char* path, int size);
}

namespace velmorant::platform {

namespace {

// The numbers of one input as velmorant_page_next_input writes them.
enum InputField { kKind, kX, kY, kButton, kTurns, kNumLock, kShift, kCtrl, kAlt, kFields };

}  // namespace

int64_t BrowserPage::NowMs() const {
  return int64_t(velmorant_page_now());
}

void BrowserPage::Sleep(int64_t ms) {
  emscripten_sleep(unsigned(ms));
}

void BrowserPage::WaitForInput(int64_t ms) {
  velmorant_page_wait(int(ms));
}

std::optional<PageInput> BrowserPage::NextInput() {
  std::array<int32_t, kFields> numbers{};
  std::array<char, 64> code{};
  std::array<char, 64> key{};
  if (!velmorant_page_next_input(numbers.data(), code.data(), int(code.size()), key.data(),
                                 int(key.size()))) {
    return std::nullopt;
  }
  PageInput input;
  input.kind = PageInput::Kind(std::clamp<int32_t>(numbers[kKind], 0, 5));
  input.x = numbers[kX];
  input.y = numbers[kY];
  input.button = numbers[kButton] == 2   ? MouseButton::kRight
                 : numbers[kButton] == 1 ? MouseButton::kMiddle
                                         : MouseButton::kLeft;
  input.wheel_turns = numbers[kTurns];
  input.num_lock = numbers[kNumLock] != 0;
  input.modifiers = {numbers[kShift] != 0, numbers[kCtrl] != 0, numbers[kAlt] != 0};
  input.code = code.data();
  input.key = key.data();
  return input;
}

void BrowserPage::Present(const Bitmap& frame, const Rect& changed) {
  const Rect part = changed.Intersect(frame.Bounds());
  if (part.IsEmpty()) return;
  const auto width = size_t(part.Width());
  rgba_.resize(width * size_t(part.Height()) * 4);
  uint8_t* out = rgba_.data();
  for (int32_t y = part.top; y < part.bottom; ++y) {
    PutRgba(frame.Row(y).data() + part.left, width, out);
    out += width * 4;
  }
  velmorant_page_present(rgba_.data(), part.left, part.top, int(width), int(part.Height()),
                         frame.Width(), frame.Height());
}

void BrowserPage::SetCursor(int16_t cursor, const CursorImage* picture) {
  if (!picture) {
    velmorant_page_set_cursor(cursor, nullptr, 0, 0, 0, 0);
    return;
  }
  std::vector<uint8_t> rgba(picture->argb.size() * 4);
  for (size_t i = 0; i < picture->argb.size(); ++i) {
    const uint32_t p = picture->argb[i];
    rgba[i * 4] = uint8_t(p >> 16);
    rgba[i * 4 + 1] = uint8_t(p >> 8);
    rgba[i * 4 + 2] = uint8_t(p);
    rgba[i * 4 + 3] = uint8_t(p >> 24);
  }
  velmorant_page_set_cursor(cursor, rgba.data(), picture->width, picture->height, picture->hot_x,
                            picture->hot_y);
}

MessageAnswer BrowserPage::Ask(const std::string& caption, const std::string& text,
                               MessageButtons buttons, MessageIcon icon) {
  const int answer = velmorant_page_ask(caption.c_str(), text.c_str(),
                                        buttons == MessageButtons::kYesNo, int(icon));
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return answer == 1 ? MessageAnswer::kYes : MessageAnswer::kNo;
}

void TellPageFinished(int status) {
  velmorant_page_finished(status);
}

std::string SoundtrackFileOfPage() {
  std::array<char, 256> path{};
  velmorant_page_soundtrack_file(path.data(), int(path.size()));
  return path.data();
}

}  // namespace velmorant::platform
