#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace velmorant::platform {

// Decodes bytes of any Windows code page (single-byte, the East Asian double-byte ones, the Mac
// pages RTF names) to code points. Bytes a page does not define become U+FFFD; a page this
// machine cannot convert is read as 1252. Converters are opened once and kept.
class TextDecoder {
 public:
  TextDecoder();
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  // Appends the code points of `bytes` in `code_page` to `out`.
  void Decode(std::string_view bytes, int32_t code_page, std::u32string& out);
  std::u32string Decode(std::string_view bytes, int32_t code_page) {
    std::u32string out;
    Decode(bytes, code_page, out);
    return out;
  }

 private:
  struct Converter;
  Converter* ConverterFor(int32_t code_page);

  std::map<int32_t, std::unique_ptr<Converter>> converters_;
};

// The converter name of a Windows code page number; empty for numbers without one.
std::string ConverterNameForCodePage(int32_t code_page);

}  // namespace velmorant::platform
