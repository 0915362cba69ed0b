#include "platform/text/warning_line.hpp"

#include <cstdio>

#include "platform/fs/codepage.hpp"

namespace velmorant::platform {

namespace {

void AppendEscaped(std::string& out, char32_t control) {
  switch (control) {
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\u%04x", unsigned(control));
  out += hex;
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const auto code_point = DecodeUtf8(text, pos);
    if (!code_point) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", unsigned(static_cast<unsigned char>(text[start])));
      out += hex;
      pos = start + 1;
    } else if (IsControl(*code_point)) {
      AppendEscaped(out, *code_point);
    } else {
      out.append(text, start, pos - start);
    }
  }
  return out;
}

std::string WarningLine(std::string_view subject, std::string_view why, std::string_view program) {
  std::string line(program);
  line += ": ";
  line += EscapeControls(subject);
  line += ": ";
  line += EscapeControls(why);
  line += '\n';
  return line;
}

}  // namespace velmorant::platform
