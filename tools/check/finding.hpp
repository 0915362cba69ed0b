#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorant::check {

enum class Severity { kError, kWarning, kNote };

const char* SeverityName(Severity severity);

// Where in the definition a finding belongs: a table ("header", "TObrazy", ...), a record index
// (-1 for the header or none) and a field path inside the record ("FileName", "Regions[2].Action").
struct Where {
  std::string table;
  int64_t index = -1;
  std::string field;

  // The same record, a field further in.
  Where Field(const std::string& name) const;
  Where Item(const std::string& name, size_t position) const;
};

// One thing `check` reports. `file` is a path relative to the presentation folder with '/', or the
// name as the definition writes it when it has no place inside the folder.
struct Finding {
  Severity severity = Severity::kNote;
  Where where;
  std::string file;
  std::string message;
};

// "error: TObrazy[3].FileName: obrazy/kot.bmp: the file is missing" (control characters escaped).
std::string FormatLine(const Finding& finding);
// The same as one JSON object: severity, table, index, field, file, message (null where none).
std::string FormatJson(const Finding& finding);

class Findings {
 public:
  void Add(Severity severity, Where where, std::string file, std::string message);
  const std::vector<Finding>& All() const { return all_; }
  size_t Count(Severity severity) const;

 private:
  std::vector<Finding> all_;
};

}  // namespace velmorant::check
