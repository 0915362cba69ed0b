#include "definition/load_error.hpp"

namespace velmorant {

std::string LoadError::Message() const {
  std::string where;
  if (!table.empty()) {
    where = table;
    if (record >= 0) where += " record " + std::to_string(record);
    if (!field.empty()) where += ", field " + field;
    where += ", ";
  }
  return where + "byte offset " + std::to_string(offset) + ": " + what;
}

}  // namespace velmorant
