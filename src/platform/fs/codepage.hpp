#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace velmorant::platform {

// A single-byte Windows code page (874, 1250 to 1258) and its conversion to and from UTF-8. Every
// byte has a code point and back: bytes the code page leaves undefined map to U+0080..U+00FF of the
// same value (or, if that is taken, to U+F700 + byte in the private use area).
class CodePage {
 public:
  static constexpr int kDefault = 1250;

  // The code page, or nothing with `error` saying why.
  static std::optional<CodePage> Open(int number, std::string* error = nullptr);

  int Number() const { return number_; }
  char32_t CodePoint(unsigned char byte) const { return to_unicode_[byte]; }
  // The byte for a code point, or nothing when the code page lacks it.
  std::optional<unsigned char> Byte(char32_t code_point) const;

  std::string ToUtf8(std::string_view bytes) const;
  // Nothing, with `error` naming the problem, for invalid UTF-8 or a character the page lacks.
  std::optional<std::string> FromUtf8(std::string_view utf8, std::string* error = nullptr) const;

 private:
  CodePage() = default;

  int number_ = 0;
  std::array<char32_t, 256> to_unicode_{};
  std::array<std::pair<char32_t, unsigned char>, 256> by_code_point_{};  // sorted
};

// The code page a font character set stands for (238 -> 1250, 204 -> 1251, 0 -> 1252, ...);
// DEFAULT_CHARSET (1) and sets without a single-byte page give the presentation's.
int CodePageForCharset(int charset, int presentation_code_page);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code_point);
// Decodes one code point at `pos` and advances it; nothing for a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos);

}  // namespace velmorant::platform
