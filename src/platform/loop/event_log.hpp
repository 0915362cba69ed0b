#pragma once

#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/loop/clock.hpp"

namespace velmorant::platform {

using LogFields = nlohmann::ordered_json;

// The event log: one JSON object per line, each with "t" (ms since start on the player's clock)
// and "event", then the event's own fields. Without a destination it writes nothing.
class EventLog {
 public:
  explicit EventLog(const Clock& clock) : clock_(clock) {}
  // FILE, or "-" for standard output. Throws std::runtime_error when FILE cannot be written.
  void Open(const std::string& destination);
  bool Enabled() const { return out_ != nullptr; }

  void Write(std::string_view event, const LogFields& fields = LogFields::object());

  // Paths in the log are relative to the presentation folder, with '/'.
  void SetFolder(const std::string& folder);
  std::string RelativePath(const std::string& path) const;

 private:
  const Clock& clock_;
  std::unique_ptr<std::ofstream> file_;
  std::ostream* out_ = nullptr;
  std::string folder_;  // ends in '/' when set
};

}  // namespace velmorant::platform
