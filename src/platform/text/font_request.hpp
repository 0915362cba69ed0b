#pragma once

#include <cstdint>
#include <string>

namespace velmorant::platform {

// Windows charset bytes (LOGFONT lfCharSet) the text layer tells apart.
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kDefaultCharset = 1;
inline constexpr uint8_t kSymbolCharset = 2;

// A logical font as the form library's TFont describes it.
struct FontRequest {
  std::string name;  // typeface name, UTF-8
  int32_t size_points = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  uint8_t charset = kDefaultCharset;

  friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// Windows MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the result overflows.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// TFont.Size to TFont.Height at 96 DPI: negative values are the em height in pixels.
int32_t FontHeightForPoints(int32_t points);

// The Windows code page of a font charset (TranslateCharsetInfo); DEFAULT_CHARSET and unknown
// charsets take the presentation's code page, OEM_CHARSET its OEM counterpart, SYMBOL_CHARSET 42.
int32_t CodePageForCharset(uint8_t charset, int32_t presentation_code_page);

// The form library's default GUI font, 8-point "MS Sans Serif" (used by hint labels).
FontRequest DefaultGuiFontRequest();

}  // namespace velmorant::platform
