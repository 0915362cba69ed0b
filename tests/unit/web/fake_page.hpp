#pragma once

#include <deque>
#include <vector>

#include "platform/web/web_page.hpp"

namespace velmorant::testing {

// A page on a clock of its own: what the backend presents, the cursors it sets and the waits it
// asks for are kept; input and answers come from the test.
class FakePage final : public platform::WebPage {
 public:
  int64_t NowMs() const override { return now_; }
  void Sleep(int64_t ms) override { now_ += ms; }
  void WaitForInput(int64_t ms) override {
    waits.push_back(ms);
    now_ += ms;
  }
  std::optional<platform::PageInput> NextInput() override {
    if (inputs.empty()) return std::nullopt;
    platform::PageInput next = inputs.front();
    inputs.pop_front();
    return next;
  }
  void Present(const platform::Bitmap& frame, const platform::Rect& changed) override {
    shown = frame;
    presents.push_back(changed);
  }
  void SetCursor(int16_t cursor, const platform::CursorImage* picture) override {
    cursors.push_back({cursor, picture != nullptr});
  }
  platform::MessageAnswer Ask(const std::string& /*caption*/, const std::string& /*text*/,
                              platform::MessageButtons /*buttons*/,
                              platform::MessageIcon /*icon*/) override {
    ++asked;
    return answer;
  }

  struct CursorSet {
    int16_t cursor;
    bool with_picture;
  };
  std::deque<platform::PageInput> inputs;
  std::vector<int64_t> waits;
  platform::Bitmap shown;
  std::vector<platform::Rect> presents;
  std::vector<CursorSet> cursors;
  platform::MessageAnswer answer = platform::MessageAnswer::kNo;
  int asked = 0;

 private:
  int64_t now_ = 5000;
};

}  // namespace velmorant::testing
