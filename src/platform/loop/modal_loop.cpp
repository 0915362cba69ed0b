#include "platform/loop/modal_loop.hpp"

namespace velmorant::platform {

bool ModalLoop::Run(const std::function<bool()>& close_query) {
  EventLoop& loop = backend_.Loop();
  for (;;) {
    if (close_requested_) {
      if (close_query()) {
        close_requested_ = false;
        return true;
      }
      close_requested_ = false;
    }
    backend_.PollInput();
    if (loop.DispatchOne()) continue;
    if (!backend_.WaitForInput(loop.NextTimerDue())) return false;
  }
}

}  // namespace velmorant::platform
