#include "platform/loop/event_log.hpp"

#include <iostream>
#include <stdexcept>

namespace velmorant::platform {

void EventLog::Open(const std::string& destination) {
  if (destination == "-") {
    file_.reset();
    to_standard_output_ = true;
    return;
  }
  to_standard_output_ = false;
  file_ = OutputFile::Create(destination);
  if (!file_) throw std::runtime_error("cannot write the event log " + destination);
}

void EventLog::Write(std::string_view event, const LogFields& fields) {
  if (!Enabled()) return;
  LogFields line = LogFields::object();
  line["t"] = clock_.NowMs();
  line["event"] = event;
  if (fields.is_object()) {
    for (const auto& [key, value] : fields.items()) line[key] = value;
  }
  // Replace, not throw, on bytes that are not UTF-8: a log line must never stop the show.
  const std::string text =
      line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
  if (file_) {
    file_->Write(text);
    file_->Flush();
  } else {
    std::cout << text << std::flush;
  }
}

void EventLog::SetFolder(const std::string& folder) {
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

std::string EventLog::RelativePath(const std::string& path) const {
  if (!folder_.empty() && path.compare(0, folder_.size(), folder_) == 0) {
    return path.substr(folder_.size());
  }
  return path;
}

}  // namespace velmorant::platform
