#include "site/site_names.hpp"

#include "platform/fs/case_fold.hpp"

namespace velmorant::site {

namespace {

bool IsUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (!platform::DecodeUtf8(text, pos)) return false;
  }
  return true;
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

std::string WithSuffix(const std::string& base, int n) {
  return base + "~" + std::to_string(n);
}

}  // namespace

std::string DecodeSegment(std::string_view raw, const platform::CodePage& code_page,
                          bool* decoded) {
  const bool utf8 = IsUtf8(raw);
  if (decoded) *decoded = !utf8;
  return utf8 ? std::string(raw) : code_page.ToUtf8(raw);
}

std::string SegmentProblem(std::string_view segment) {
  if (segment.empty()) return "an empty name";
  if (segment == "." || segment == "..") return "the name \"" + std::string(segment) + "\"";
  if (segment.find('/') != std::string_view::npos) return "a slash in the name";
  if (segment.find('\\') != std::string_view::npos) return "a backslash in the name";
  if (segment.find('\0') != std::string_view::npos) return "a NUL in the name";
  return {};
}

std::string PercentEncode(std::string_view segment) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(segment.size());
  for (char ch : segment) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      out.push_back(ch);
    } else {
      out += {'%', kHex[c >> 4], kHex[c & 0xF]};
    }
  }
  return out;
}

FolderNames::Given FolderNames::Take(const std::string& wanted) {
  Given given{wanted, {}};
  for (int n = 2; names_.count(given.name); ++n) given.name = WithSuffix(wanted, n);
  given.url = given.name;
  for (int n = 2; folded_urls_.count(platform::FoldCaseUtf8(given.url)); ++n) {
    given.url = WithSuffix(given.name, n);
  }
  names_.insert(given.name);
  folded_urls_.insert(platform::FoldCaseUtf8(given.url));
  return given;
}

}  // namespace velmorant::site
