#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/fs/output_file.hpp"
#include "platform/loop/clock.hpp"

namespace velmorant::platform {

using LogFields = nlohmann::ordered_json;

// The event log: one JSON object per line, each with "t" (ms since start on the player's clock)
// and "event", then the event's own fields. Without a destination it writes nothing.
class EventLog {
 public:
  explicit EventLog(const Clock& clock) : clock_(clock) {}
  // FILE, or "-" for standard output. Throws std::runtime_error when FILE cannot be written.
  // Programs the player starts do not inherit FILE.
  void Open(const std::string& destination);
  bool Enabled() const { return to_standard_output_ || file_.has_value(); }

  void Write(std::string_view event, const LogFields& fields = LogFields::object());

  // Paths in the log are relative to the presentation folder, with '/'.
  void SetFolder(const std::string& folder);
  std::string RelativePath(const std::string& path) const;

 private:
  const Clock& clock_;
  std::optional<OutputFile> file_;
  bool to_standard_output_ = false;
  std::string folder_;  // ends in '/' when set
};

}  // namespace velmorant::platform
