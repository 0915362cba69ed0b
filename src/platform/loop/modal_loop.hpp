#pragma once

#include <functional>

#include "platform/backend.hpp"

namespace velmorant::platform {

// The loop of a modal window. Close() is only a request: after the handler of the current message
// returns, the loop runs the close query; a false answer cancels the request, and requests made
// while the query ran are dropped with it.
class ModalLoop {
 public:
  explicit ModalLoop(Backend& backend) : backend_(backend) {}

  void RequestClose() { close_requested_ = true; }
  bool CloseRequested() const { return close_requested_; }

  // Handles messages until the close query allows the close (true) or input ends for good (false).
  bool Run(const std::function<bool()>& close_query);

 private:
  Backend& backend_;
  bool close_requested_ = false;
};

}  // namespace velmorant::platform
