#include "platform/window/sdl_clipboard.hpp"

#include <SDL.h>

#include <iostream>
#include <memory>

namespace velmorant::platform {

void SdlClipboard::SetText(const std::string& utf8) {
  if (SDL_SetClipboardText(utf8.c_str()) != 0) {
    std::cerr << "velmorant: cannot copy to the clipboard: " << SDL_GetError() << "\n";
  }
}

std::string SdlClipboard::Text() const {
  const std::unique_ptr<char, void (*)(void*)> text(SDL_GetClipboardText(), SDL_free);
  return text ? std::string(text.get()) : std::string();
}

}  // namespace velmorant::platform
