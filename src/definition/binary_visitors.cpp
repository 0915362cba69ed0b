#include "definition/binary_visitors.hpp"

namespace velmorant {

LoadError VisitPath::Error(const std::string& what, const char* field, size_t offset) const {
  LoadError error;
  error.what = what;
  error.offset = offset;
  if (frames_.empty()) {
    error.table = field;
    return error;
  }
  error.table = frames_.front().name;
  error.record = frames_.front().index;
  for (size_t i = 1; i < frames_.size(); ++i) {
    error.field += std::string(frames_[i].name) + "[" + std::to_string(frames_[i].index) + "].";
  }
  error.field += field;
  return error;
}

}  // namespace velmorant
