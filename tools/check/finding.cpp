#include "check/finding.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "platform/text/warning_line.hpp"

namespace velmorant::check {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "note";
}

Where Where::Field(const std::string& name) const {
  Where inner = *this;
  inner.field = field.empty() ? name : field + "." + name;
  return inner;
}

Where Where::Item(const std::string& name, size_t position) const {
  return Field(name + "[" + std::to_string(position) + "]");
}

namespace {

std::string Record(const Where& where) {
  std::string text = where.table;
  if (where.index >= 0) {
    text += '[';
    text += std::to_string(where.index);
    text += ']';
  }
  if (!where.field.empty()) {
    if (!text.empty()) text += '.';
    text += where.field;
  }
  return text;
}

}  // namespace

std::string FormatLine(const Finding& finding) {
  std::string line = SeverityName(finding.severity);
  line += ": ";
  if (const std::string record = Record(finding.where); !record.empty()) line += record + ": ";
  if (!finding.file.empty()) line += platform::EscapeControls(finding.file) + ": ";
  line += platform::EscapeControls(finding.message);
  return line;
}

std::string FormatJson(const Finding& finding) {
  auto or_null = [](const std::string& text) {
    return text.empty() ? nlohmann::json() : nlohmann::json(text);
  };
  const Where& w = finding.where;
  nlohmann::json object = {{"severity", SeverityName(finding.severity)},
                           {"table", or_null(w.table)},
                           {"index", w.index >= 0 ? nlohmann::json(w.index) : nlohmann::json()},
                           {"field", or_null(w.field)},
                           {"file", or_null(finding.file)},
                           {"message", finding.message}};
  // Names from old discs need not be UTF-8: replace what is not rather than fail.
  return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void Findings::Add(Severity severity, Where where, std::string file, std::string message) {
  all_.push_back({severity, std::move(where), std::move(file), std::move(message)});
}

size_t Findings::Count(Severity severity) const {
  return size_t(std::count_if(all_.begin(), all_.end(),
                              [&](const Finding& f) { return f.severity == severity; }));
}

}  // namespace velmorant::check
