#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace velmorant::platform {

// One copy of the player at a time, per user and display: the first copy holds a named local
// socket; a later copy finds it taken, asks the holder to come to the front and gives way.
class SingleInstance {
 public:
  enum class Outcome {
    kFirst,        // this copy holds the name
    kAnotherRuns,  // another copy holds it and was asked to come to the front
    kUnavailable,  // the name could not be taken or reached: run without the rule
  };

  // "VELMORANT.MUTEX" with the user id and the display, so separate displays do not meet.
  static std::string NameFor(const std::string& base, unsigned user_id, const std::string& display);
  // The name for this process's user and $DISPLAY (or $WAYLAND_DISPLAY).
  static std::string NameForThisSession(const std::string& base);

  explicit SingleInstance(const std::string& name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Outcome Result() const { return outcome_; }

  // For the first copy: `on_raise` runs on a thread of its own each time a later copy asks this
  // one to come to the front. Requests made before this call wait for it.
  void Listen(std::function<void()> on_raise);

 private:
  bool Bind();
  bool AskHolderToRaise();
  void Serve(const std::function<void()>& on_raise);

  std::string name_;
  int socket_ = -1;
  Outcome outcome_ = Outcome::kUnavailable;
  std::thread listener_;
};

}  // namespace velmorant::platform
