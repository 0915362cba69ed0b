#include "platform/fs/codepage.hpp"

#include <algorithm>
#include <cstdio>

#include "platform/fs/codepage_table.hpp"

namespace velmorant::platform {

std::optional<CodePage> CodePage::Open(int number, std::string* error) {
  auto fail = [&](std::string text) -> std::optional<CodePage> {
    if (error) *error = std::move(text);
    return std::nullopt;
  };
  const CodePageTable* table = FindCodePageTable(number);
  if (table == nullptr || table->IsDoubleByte()) {
    return fail("unknown code page " + std::to_string(number) + " (known: 874 and 1250 to 1258)");
  }
  CodePage page;
  page.number_ = number;
  std::array<bool, 256> defined{};
  for (int b = 0; b < 256; ++b) {
    auto code_point = table->Single(static_cast<unsigned char>(b));
    defined[b] = code_point.has_value();
    page.to_unicode_[b] = code_point.value_or(0);
  }
  auto taken = [&](char32_t cp) {
    return std::find(page.to_unicode_.begin(), page.to_unicode_.end(), cp) !=
           page.to_unicode_.end();
  };
  for (int b = 0; b < 256; ++b) {
    if (defined[b]) continue;
    const char32_t same_value = char32_t(b);
    page.to_unicode_[b] = taken(same_value) ? char32_t(0xF700 + b) : same_value;
  }
  for (int b = 0; b < 256; ++b) {
    page.by_code_point_[b] = {page.to_unicode_[b], static_cast<unsigned char>(b)};
  }
  std::sort(page.by_code_point_.begin(), page.by_code_point_.end());
  const auto duplicate =
      std::adjacent_find(page.by_code_point_.begin(), page.by_code_point_.end(),
                         [](const auto& a, const auto& b) { return a.first == b.first; });
  if (duplicate != page.by_code_point_.end()) {
    return fail("code page " + std::to_string(number) + " maps two bytes to one character");
  }
  return page;
}

std::optional<unsigned char> CodePage::Byte(char32_t code_point) const {
  auto it = std::lower_bound(by_code_point_.begin(), by_code_point_.end(),
                             std::pair<char32_t, unsigned char>{code_point, 0});
  if (it == by_code_point_.end() || it->first != code_point) return std::nullopt;
  return it->second;
}

std::string CodePage::ToUtf8(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(out, to_unicode_[static_cast<unsigned char>(c)]);
  return out;
}

std::optional<std::string> CodePage::FromUtf8(std::string_view utf8, std::string* error) const {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    auto code_point = DecodeUtf8(utf8, pos);
    if (!code_point) {
      if (error) *error = "invalid UTF-8 at byte " + std::to_string(start);
      return std::nullopt;
    }
    auto byte = Byte(*code_point);
    if (!byte) {
      if (error) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "U+%04X", unsigned(*code_point));
        *error =
            std::string("the character ") + hex + " is not in code page " + std::to_string(number_);
      }
      return std::nullopt;
    }
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

int CodePageForCharset(int charset, int presentation_code_page) {
  switch (charset & 0xFF) {
    case 0:
      return 1252;
    case 238:
      return 1250;
    case 204:
      return 1251;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 163:
      return 1258;
    case 222:
      return 874;
    default:
      return presentation_code_page;
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  size_t length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = cp << 6 | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length;
  return cp;
}

}  // namespace velmorant::platform
