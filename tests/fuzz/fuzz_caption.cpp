// A caption's bytes decoded by a font's character set, measured and drawn with word breaking as a
// caption lays them out: never a crash, a hang or an over-read, and a measured height that is
// whole lines.
//
// The first bytes choose the character set, the alignment, the box width and the font size; the
// rest is the caption file.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/fs/codepage.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/draw_text_flags.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/text_decoder.hpp"

namespace {

using namespace velmorant::platform;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The caption kind's decoding (the engine is not built for fuzzing): up to the first zero byte,
// in the code page of the font's character set.
std::string DecodeCaption(std::string_view bytes, uint8_t charset) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string utf8;
  for (char32_t c : TextDecoder().Decode(bytes, CodePageForCharset(charset, 1250))) {
    AppendUtf8(utf8, c);
  }
  return utf8;
}

constexpr uint8_t kCharsets[] = {0, 1, 2, 128, 129, 134, 136, 161, 162, 177, 178, 186, 204, 238};
constexpr uint32_t kAlignments[] = {kDtLeft, kDtCenter, kDtRight};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint8_t charset = kCharsets[data[0] % std::size(kCharsets)];
  const uint32_t format = kDtWordBreak | kAlignments[data[1] % 3];
  const int32_t width = data[2];
  const int32_t points = 1 + data[3] % 48;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 4), size - 4);
  const std::string text = DecodeCaption(bytes, charset);

  // One engine for the whole run: opening fontconfig per input would be most of the time.
  static const FontEngine fonts;
  FontRequest wanted;
  wanted.name = "Arial";
  wanted.size_points = points;
  wanted.charset = charset;
  const Font font = fonts.CreateFont(wanted);

  const Rect measured = CalcTextRect(font, text, {0, 0, width, 0}, format);
  const int64_t line_height = font.Metrics().height;
  Check(measured.top == 0 && measured.bottom >= 0);
  if (line_height > 0) Check(measured.bottom % line_height == 0);
  Check(text.empty() || measured.bottom > 0 || line_height == 0);

  Bitmap mask(64, 48, 0xFFFFFF);
  Rect box{0, 0, width, measured.bottom};
  DrawText(mask, font, text, box, format, 0);
  return 0;
}
