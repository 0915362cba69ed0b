#pragma once

#include <string>
#include <vector>

#include "platform/web/web_page.hpp"

namespace velmorant::platform {

// The page the player runs in, through the functions velmorant-library.js gives the wasm module.
class BrowserPage final : public WebPage {
 public:
  int64_t NowMs() const override;
  void Sleep(int64_t ms) override;
  void WaitForInput(int64_t ms) override;
  std::optional<PageInput> NextInput() override;
  void Present(const Bitmap& frame, const Rect& changed) override;
  void SetCursor(int16_t cursor, const CursorImage* picture) override;
  MessageAnswer Ask(const std::string& caption, const std::string& text, MessageButtons buttons,
                    MessageIcon icon) override;

 private:
  std::vector<uint8_t> rgba_;  // the changed rectangle as the canvas takes it, reused
};

// Tells the page that the run is over and with what exit status.
void TellPageFinished(int status);
// Where the page wants a parity run's sound track written as a WAV file; empty when it does not.
std::string SoundtrackFileOfPage();

}  // namespace velmorant::platform
