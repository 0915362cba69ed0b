#include "platform/text/text_decoder.hpp"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "platform/fs/codepage_table.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kFallbackCodePage = 1252;

struct NamedPage {
  int32_t number;
  const char* name;
};

constexpr std::array<NamedPage, 9> kNamedPages = {{
    {10000, "MACINTOSH"},
    {10001, "SHIFT_JIS"},
    {10007, "MAC-CYRILLIC"},
    {10029, "MAC-CENTRALEUROPE"},
    {20127, "ASCII"},
    {65001, "UTF-8"},
    {20866, "KOI8-R"},
    {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},
}};

bool HasCpName(int32_t code_page) {
  return code_page == 437 || (code_page >= 737 && code_page <= 869) || code_page == 874 ||
         code_page == 932 || code_page == 936 || code_page == 949 || code_page == 950 ||
         code_page == 1361 || (code_page >= 1250 && code_page <= 1258);
}

// Symbol fonts: their bytes shown as the Latin letters they stand on.
constexpr int32_t kSymbolCodePage = 42;

// One replacement for an undefined byte or a pair cut short, then on with the next byte.
void DecodeWithTable(const CodePageTable& table, std::string_view bytes, std::u32string& out) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    std::optional<char32_t> c;
    if (table.IsLead(byte)) {
      if (i + 1 < bytes.size()) c = table.Pair(byte, static_cast<unsigned char>(bytes[i + 1]));
      if (c) ++i;
    } else {
      c = table.Single(byte);
    }
    out.push_back(c.value_or(kReplacementCharacter));
  }
}

}  // namespace

std::string ConverterNameForCodePage(int32_t code_page) {
  for (const NamedPage& page : kNamedPages) {
    if (page.number == code_page) return page.name;
  }
  if (code_page > 28591 && code_page <= 28605) {
    return "ISO-8859-" + std::to_string(code_page - 28590);
  }
  if (HasCpName(code_page)) return "CP" + std::to_string(code_page);
  return {};
}

struct TextDecoder::Converter {
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

TextDecoder::TextDecoder() = default;
TextDecoder::~TextDecoder() = default;

TextDecoder::Converter* TextDecoder::ConverterFor(int32_t code_page) {
  auto it = converters_.find(code_page);
  if (it == converters_.end()) {
    auto converter = std::make_unique<Converter>();
    const std::string name = ConverterNameForCodePage(code_page);
    if (!name.empty()) converter->cd = iconv_open("UTF-32LE", name.c_str());
    if (converter->cd == reinterpret_cast<iconv_t>(-1)) converter.reset();
    it = converters_.emplace(code_page, std::move(converter)).first;
  }
  if (it->second) return it->second.get();
  return nullptr;
}

void TextDecoder::Decode(std::string_view bytes, int32_t code_page, std::u32string& out) {
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  // Every page this reads keeps ASCII as it is.
  if (ascii) {
    out.append(bytes.begin(), bytes.end());
    return;
  }
  // The Windows pages decode by the same tables everywhere; the rest through the C library.
  const CodePageTable* table =
      FindCodePageTable(code_page == kSymbolCodePage ? kFallbackCodePage : code_page);
  Converter* converter = table ? nullptr : ConverterFor(code_page);
  if (!table && !converter) table = FindCodePageTable(kFallbackCodePage);
  if (table) {
    DecodeWithTable(*table, bytes, out);
    return;
  }
  iconv(converter->cd, nullptr, nullptr, nullptr, nullptr);
  std::array<char, 4096> buffer;
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  auto take = [&](const char* end) {
    for (const char* p = buffer.data(); p + 4 <= end; p += 4) {
      char32_t c = 0;
      for (int i = 3; i >= 0; --i) c = c << 8 | static_cast<unsigned char>(p[i]);
      out.push_back(c);
    }
  };
  while (in_left > 0) {
    char* o = buffer.data();
    size_t o_left = buffer.size();
    const size_t r = iconv(converter->cd, &in, &in_left, &o, &o_left);
    take(o);
    if (r != size_t(-1)) continue;
    if (errno == E2BIG) continue;
    // An undefined byte, or a double-byte character cut short: one replacement, then on.
    out.push_back(kReplacementCharacter);
    ++in;
    --in_left;
    iconv(converter->cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* o = buffer.data();
  size_t o_left = buffer.size();
  iconv(converter->cd, nullptr, nullptr, &o, &o_left);
  take(o);
}

}  // namespace velmorant::platform
