#include "platform/web/web_file_types.hpp"

#include <array>
#include <string_view>
#include <utility>

#include "platform/fs/case_fold.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant::platform {

namespace {

// Types every current browser shows itself; scripts and anything it would run stay downloads
// except web pages, which a presentation ships to be read in a browser.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kViewed{{
    {".pdf", "application/pdf"},
    {".htm", "text/html"},
    {".html", "text/html"},
    {".png", "image/png"},
    {".jpg", "image/jpeg"},
    {".jpeg", "image/jpeg"},
    {".gif", "image/gif"},
    {".bmp", "image/bmp"},
    {".webp", "image/webp"},
    {".svg", "image/svg+xml"},
    {".mp3", "audio/mpeg"},
    {".wav", "audio/wav"},
    {".ogg", "audio/ogg"},
    {".mp4", "video/mp4"},
    {".webm", "video/webm"},
    {".xml", "text/xml"},
}};

bool IsUtf8(std::span<const uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  for (size_t pos = 0; pos < text.size();) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

}  // namespace

std::string BrowserViewType(const std::string& name, std::span<const uint8_t> bytes,
                            int code_page) {
  const size_t dot = name.find_last_of("./");
  if (dot == std::string::npos || name[dot] != '.') return {};
  const std::string extension = FoldCaseUtf8(name.substr(dot));
  if (extension == ".txt" || extension == ".csv" || extension == ".log") {
    // Without a charset a browser guesses, and guesses Central European text wrong.
    const std::string charset = IsUtf8(bytes) ? "utf-8" : "windows-" + std::to_string(code_page);
    return "text/plain;charset=" + charset;
  }
  for (const auto& [known, type] : kViewed) {
    if (extension == known) return std::string(type);
  }
  return {};
}

}  // namespace velmorant::platform
