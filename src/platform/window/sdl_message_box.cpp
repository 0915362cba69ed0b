#include "platform/window/sdl_message_box.hpp"

#include <iostream>

namespace velmorant::platform {

namespace {

constexpr int kYes = 1;
constexpr int kNo = 2;

Uint32 IconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError:
      return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::kQuestion:
      return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::kInformation:
      return SDL_MESSAGEBOX_INFORMATION;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

MessageAnswer ShowSdlMessageBox(SDL_Window* parent, const std::string& caption,
                                const std::string& text, MessageButtons buttons, MessageIcon icon) {
  const Uint32 both_keys =
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  const SDL_MessageBoxButtonData ok[] = {{both_keys, 0, "OK"}};
  // Enter and Escape both answer No, the default button.
  const SDL_MessageBoxButtonData yes_no[] = {{0, kYes, "Tak"}, {both_keys, kNo, "Nie"}};
  const bool asks = buttons == MessageButtons::kYesNo;
  SDL_MessageBoxData box{};
  box.flags = IconFlag(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = parent;
  box.title = caption.c_str();
  box.message = text.c_str();
  box.numbuttons = asks ? 2 : 1;
  box.buttons = asks ? yes_no : ok;
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    std::cerr << "velmorant: " << caption << ": " << text << " (" << SDL_GetError() << ")\n";
    return asks ? MessageAnswer::kNo : MessageAnswer::kOk;
  }
  if (!asks) return MessageAnswer::kOk;
  // Closing the box without a button is No as well.
  return pressed == kYes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace velmorant::platform
