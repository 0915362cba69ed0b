#include "platform/text/rtf_reader.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/codepage.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/rich_document_builder.hpp"
#include "platform/text/rtf_picture.hpp"
#include "platform/text/rtf_scanner.hpp"
#include "platform/text/rtf_words.hpp"
#include "platform/text/text_decoder.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {

namespace {

enum class Destination : uint8_t { kText, kFontTable, kColourTable, kPicture };

struct CharProps {
  int32_t font = -1;  // the document's font number; -1 the default font
  int32_t half_points = 24;
  int32_t colour = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  enum class Script : uint8_t { kNone, kSuper, kSub } script = Script::kNone;
  int32_t rise = 0;  // \up and \dn, in half points
  bool small_caps = false;
};

struct GroupState {
  Destination destination = Destination::kText;
  CharProps chars;
  ParagraphStyle paragraph;
  int32_t unicode_skip = 1;  // \uc
};

struct FontSlot {
  uint16_t index = 0;
  int32_t charset = kDefaultCharset;
  int32_t code_page = 0;  // \cpg; 0 when the charset says it
};

constexpr size_t kMaxTabStops = 64;
constexpr size_t kMaxFonts = 4096;
constexpr size_t kMaxColours = 4096;
constexpr int32_t kMaxIndent = 1 << 20;
// All pictures of a document together.
constexpr int64_t kMaxPicturePixels = kMaxRtfPicturePixels * 4;
constexpr int32_t kMaxHalfPoints = 3276;
// \up and \dn without a number.
constexpr int32_t kDefaultRise = 6;

// The capital of a lower-case letter of the Latin, Greek and Cyrillic alphabets; any other
// character as it is.
char32_t UpperCase(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x17F) {
    // Pairs of capital and small letter; from 0x139 to 0x148 and above 0x178 the small is even.
    const bool small_even = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    return (c % 2 == 0) == small_even ? c - 1 : c;
  }
  if ((c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

class RtfReader {
 public:
  RtfReader(std::span<const uint8_t> data, const RtfOptions& options)
      : scanner_(data),
        code_page_(options.default_code_page),
        font_engine_(options.fonts),
        memory_(options.memory) {}

  RichDocument Read();

 private:
  GroupState& State() { return groups_.back(); }
  void Open();
  void Close();
  void Word(const RtfToken& t);
  void Symbol(uint8_t c);
  void Text(std::string_view bytes);
  void Byte(uint8_t b);

  bool DestinationWord(RtfWord word, std::string_view name);
  void CharacterWord(RtfWord word, const RtfToken& t);
  void ParagraphWord(RtfWord word, const RtfToken& t);
  void FontTableWord(RtfWord word, const RtfToken& t);
  void PictureWord(RtfWord word, const RtfToken& t);

  void AppendChar(char32_t c);
  // Characters in the current style; in small capitals, lower-case letters become smaller
  // capitals.
  void Emit(std::u32string_view text);
  void AppendUnicode(int32_t value);
  void Flush();
  void EndParagraph();
  CharStyle CurrentStyle();
  uint16_t DefaultFont();
  int32_t CodePageOfFont(int32_t number) const;

  void FinishFontEntry();
  void FinishColourEntry();
  void PictureHex(std::string_view bytes);
  void FinishPicture();

  RtfScanner scanner_;
  RichDocumentBuilder builder_;
  TextDecoder decoder_;
  std::vector<GroupState> groups_;
  int32_t code_page_;
  const FontEngine* font_engine_;
  MemoryBudget* memory_;
  int32_t default_font_number_ = 0;
  std::optional<uint16_t> fallback_font_;
  std::map<int32_t, FontSlot> fonts_;
  std::vector<std::optional<Pixel>> colours_;

  // What has not become characters yet: bytes waiting for their code page, and the characters a
  // \uN leaves to be skipped.
  std::string pending_;
  int32_t pending_code_page_ = 0;
  int32_t skip_ = 0;
  char32_t high_surrogate_ = 0;
  ParagraphStyle last_paragraph_;
  bool first_word_after_open_ = false;
  bool star_ = false;  // \* began this group

  // The font-table entry being read.
  int32_t font_number_ = -1;
  int32_t font_charset_ = kDefaultCharset;
  int32_t font_code_page_ = 0;
  std::string font_name_;

  int32_t red_ = 0, green_ = 0, blue_ = 0;
  bool colour_set_ = false;

  std::optional<RtfPictureData> picture_;
  int picture_nibble_ = -1;
  size_t pictures_ = 0;
  int64_t picture_pixels_ = 0;
};

RichDocument RtfReader::Read() {
  groups_.reserve(kMaxRtfDepth);
  for (;;) {
    const RtfToken t = scanner_.Next();
    switch (t.kind) {
      case RtfToken::Kind::kEnd:
        Flush();
        return builder_.Finish(groups_.empty() ? last_paragraph_ : State().paragraph);
      case RtfToken::Kind::kOpen:
        Open();
        break;
      case RtfToken::Kind::kClose:
        Close();
        // The document ends with its first group; whatever follows is not part of it.
        if (groups_.empty()) return builder_.Finish(last_paragraph_);
        break;
      case RtfToken::Kind::kWord:
        Word(t);
        break;
      case RtfToken::Kind::kSymbol:
        Symbol(t.byte);
        break;
      case RtfToken::Kind::kByte:
        Byte(t.byte);
        break;
      case RtfToken::Kind::kText:
        Text(t.word);
        break;
    }
  }
}

void RtfReader::Open() {
  Flush();
  skip_ = 0;
  if (groups_.size() >= size_t(kMaxRtfDepth)) {
    scanner_.SkipGroup();
    return;
  }
  groups_.push_back(groups_.empty() ? GroupState{} : State());
  first_word_after_open_ = true;
  star_ = false;
}

void RtfReader::Close() {
  Flush();
  skip_ = 0;
  first_word_after_open_ = false;
  star_ = false;
  if (groups_.empty()) return;
  const Destination ended = State().destination;
  if (groups_.size() == 1) last_paragraph_ = State().paragraph;
  groups_.pop_back();
  const Destination outer = groups_.empty() ? Destination::kText : State().destination;
  // A font entry ends with its group even without its ';'.
  if (ended == Destination::kFontTable) FinishFontEntry();
  if (ended == Destination::kPicture && outer != Destination::kPicture) FinishPicture();
}

void RtfReader::Word(const RtfToken& t) {
  const bool opens = first_word_after_open_;
  first_word_after_open_ = false;
  if (skip_ > 0) {
    --skip_;
    return;
  }
  const RtfWord word = LookUpRtfWord(t.word);
  if (word == RtfWord::kBin) {
    const auto data = scanner_.TakeBinary(t.has_param ? t.param : 0);
    if (State().destination == Destination::kPicture && picture_) {
      picture_->bytes.insert(picture_->bytes.end(), data.begin(), data.end());
    }
    return;
  }
  if (opens && DestinationWord(word, t.word)) return;
  Flush();
  switch (State().destination) {
    case Destination::kFontTable:
      FontTableWord(word, t);
      return;
    case Destination::kColourTable:
      if (word == RtfWord::kRed) red_ = t.param, colour_set_ = true;
      if (word == RtfWord::kGreen) green_ = t.param, colour_set_ = true;
      if (word == RtfWord::kBlue) blue_ = t.param, colour_set_ = true;
      return;
    case Destination::kPicture:
      PictureWord(word, t);
      return;
    case Destination::kText:
      break;
  }
  switch (word) {
    case RtfWord::kAnsi:
      code_page_ = 1252;
      return;
    case RtfWord::kMac:
      code_page_ = 10000;
      return;
    case RtfWord::kPc:
      code_page_ = 437;
      return;
    case RtfWord::kPca:
      code_page_ = 850;
      return;
    case RtfWord::kAnsiCpg:
      // A page number that names nothing keeps the one there was.
      if (t.has_param && t.param > 0) code_page_ = t.param;
      return;
    case RtfWord::kDeff:
      default_font_number_ = t.param;
      return;
    case RtfWord::kUc:
      State().unicode_skip = std::clamp(t.param, 0, 16);
      return;
    case RtfWord::kU:
      AppendUnicode(t.param);
      skip_ = State().unicode_skip;
      return;
    default:
      break;
  }
  if (const char32_t c = CharacterOfRtfWord(word)) {
    AppendChar(c);
    return;
  }
  CharacterWord(word, t);
  ParagraphWord(word, t);
}

// True when the word made the new group a destination (read or skipped).
bool RtfReader::DestinationWord(RtfWord word, std::string_view name) {
  const bool star = star_;
  star_ = false;
  GroupState& state = State();
  switch (word) {
    case RtfWord::kFontTable:
      state.destination = Destination::kFontTable;
      font_name_.clear();
      font_number_ = -1;
      return true;
    case RtfWord::kColourTable:
      state.destination = Destination::kColourTable;
      colour_set_ = false;
      red_ = green_ = blue_ = 0;
      return true;
    case RtfWord::kPicture:
      if (picture_ || state.destination != Destination::kText) break;
      state.destination = Destination::kPicture;
      picture_.emplace();
      picture_nibble_ = -1;
      return true;
    case RtfWord::kShapePicture:
      return true;  // its picture is shown; \nonshppict is the copy for older readers
    default:
      break;
  }
  if (star || IsHiddenRtfDestination(name) || word == RtfWord::kPicture) {
    groups_.pop_back();
    scanner_.SkipGroup();
    return true;
  }
  return false;
}

void RtfReader::Symbol(uint8_t c) {
  if (c == '*') {
    // Only at the very start of a group: "{\*\destination".
    star_ = first_word_after_open_;
    return;
  }
  first_word_after_open_ = false;
  if (skip_ > 0) {
    --skip_;
    return;
  }
  if (State().destination != Destination::kText) return;
  switch (c) {
    case '~':
      AppendChar(U'\u00A0');
      break;
    case '_':
      AppendChar(U'\u2011');
      break;
    case '\t':
      AppendChar(U'\t');
      break;
    default:
      break;  // \- optional hyphens, \: index entries, \| formulas
  }
}

void RtfReader::Text(std::string_view bytes) {
  first_word_after_open_ = false;
  if (skip_ > 0) {
    const size_t n = std::min(bytes.size(), size_t(skip_));
    skip_ -= int32_t(n);
    bytes.remove_prefix(n);
  }
  if (bytes.empty() || groups_.empty()) return;
  switch (State().destination) {
    case Destination::kText: {
      if (State().chars.hidden) return;
      const int32_t code_page = CodePageOfFont(State().chars.font);
      if (!pending_.empty() && pending_code_page_ != code_page) Flush();
      pending_code_page_ = code_page;
      for (char c : bytes) {
        if (c == '\t') {
          AppendChar(U'\t');
          pending_code_page_ = code_page;
        } else if (c != '\0') {
          pending_.push_back(c);
        }
      }
      return;
    }
    case Destination::kFontTable:
      for (char c : bytes) {
        if (c == ';') {
          FinishFontEntry();
        } else {
          font_name_.push_back(c);
        }
      }
      return;
    case Destination::kColourTable:
      for (char c : bytes) {
        if (c == ';') FinishColourEntry();
      }
      return;
    case Destination::kPicture:
      PictureHex(bytes);
      return;
  }
}

void RtfReader::Byte(uint8_t b) {
  first_word_after_open_ = false;
  if (groups_.empty()) return;
  if (skip_ > 0) {
    --skip_;
    return;
  }
  if (State().destination == Destination::kFontTable) {
    font_name_.push_back(char(b));
    return;
  }
  if (State().destination != Destination::kText || State().chars.hidden) return;
  const int32_t code_page = CodePageOfFont(State().chars.font);
  if (!pending_.empty() && pending_code_page_ != code_page) Flush();
  pending_code_page_ = code_page;
  pending_.push_back(char(b));
}

void RtfReader::Flush() {
  if (pending_.empty()) return;
  std::u32string text;
  decoder_.Decode(pending_, pending_code_page_, text);
  pending_.clear();
  Emit(text);
}

void RtfReader::AppendChar(char32_t c) {
  if (groups_.empty() || State().destination != Destination::kText || State().chars.hidden) return;
  Flush();
  Emit(std::u32string_view(&c, 1));
}

void RtfReader::Emit(std::u32string_view text) {
  const CharStyle style = CurrentStyle();
  if (!State().chars.small_caps) {
    builder_.Append(text, style);
    return;
  }
  CharStyle small = style;
  small.half_points = std::max(1, style.half_points * 4 / 5);
  std::u32string run;
  bool lower = false;
  auto flush = [&] {
    if (!run.empty()) builder_.Append(run, lower ? small : style);
    run.clear();
  };
  for (char32_t c : text) {
    const char32_t upper = UpperCase(c);
    if ((upper != c) != lower) flush();
    lower = upper != c;
    run.push_back(upper);
  }
  flush();
}

void RtfReader::AppendUnicode(int32_t value) {
  // Values above 32767 are written as negative numbers.
  const auto unit = char32_t(value < 0 ? value + 65536 : value);
  if (unit >= 0xD800 && unit < 0xDC00) {
    high_surrogate_ = unit;
    return;
  }
  if (unit >= 0xDC00 && unit < 0xE000) {
    if (high_surrogate_) AppendChar(0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
    high_surrogate_ = 0;
    return;
  }
  high_surrogate_ = 0;
  AppendChar(unit > 0x10FFFF || unit == 0 ? kReplacementCharacter : unit);
}

void RtfReader::EndParagraph() {
  if (State().chars.hidden) return;
  Flush();
  builder_.EndParagraph(CurrentStyle(), State().paragraph);
}

uint16_t RtfReader::DefaultFont() {
  if (auto it = fonts_.find(default_font_number_); it != fonts_.end()) return it->second.index;
  if (!fonts_.empty()) return fonts_.begin()->second.index;
  if (!fallback_font_) fallback_font_ = builder_.AddFont({"Times New Roman", 0});
  return *fallback_font_;
}

int32_t RtfReader::CodePageOfFont(int32_t number) const {
  auto it = fonts_.find(number < 0 ? default_font_number_ : number);
  if (it == fonts_.end()) it = fonts_.find(default_font_number_);
  if (it == fonts_.end()) return code_page_;
  if (it->second.code_page > 0) return it->second.code_page;
  return CodePageForCharset(uint8_t(it->second.charset), code_page_);
}

CharStyle RtfReader::CurrentStyle() {
  const CharProps& p = State().chars;
  CharStyle style;
  const auto font = fonts_.find(p.font);
  style.font = p.font >= 0 && font != fonts_.end() ? font->second.index : DefaultFont();
  style.half_points = p.half_points;
  style.rise = p.rise;
  // Raised and lowered text is smaller, as the rich edit draws it: two thirds of the size, its
  // baseline a third of the size up, or a fifth down.
  if (p.script != CharProps::Script::kNone) {
    style.half_points = std::max(1, p.half_points * 2 / 3);
    style.rise += p.script == CharProps::Script::kSuper ? p.half_points / 3 : -p.half_points / 5;
  }
  style.bold = p.bold;
  style.italic = p.italic;
  style.underline = p.underline;
  style.strike = p.strike;
  if (p.colour > 0 && size_t(p.colour) < colours_.size() && colours_[size_t(p.colour)]) {
    style.colour = *colours_[size_t(p.colour)];
  }
  return style;
}

void RtfReader::CharacterWord(RtfWord word, const RtfToken& t) {
  CharProps& p = State().chars;
  const bool on = !t.has_param || t.param != 0;
  switch (word) {
    case RtfWord::kPlain:
      p = CharProps{};
      break;
    case RtfWord::kBold:
      p.bold = on;
      break;
    case RtfWord::kItalic:
      p.italic = on;
      break;
    case RtfWord::kUnderline:
      p.underline = on;
      break;
    case RtfWord::kUnderlineNone:
      p.underline = false;
      break;
    case RtfWord::kStrike:
      p.strike = on;
      break;
    case RtfWord::kHidden:
      p.hidden = on;
      break;
    case RtfWord::kSuper:
      p.script = on ? CharProps::Script::kSuper : CharProps::Script::kNone;
      break;
    case RtfWord::kSub:
      p.script = on ? CharProps::Script::kSub : CharProps::Script::kNone;
      break;
    case RtfWord::kNoSuperSub:
      p.script = CharProps::Script::kNone;
      break;
    case RtfWord::kUp:
    case RtfWord::kDown: {
      const int32_t by = std::clamp(t.has_param ? t.param : kDefaultRise, 0, kMaxHalfPoints);
      p.rise = word == RtfWord::kUp ? by : -by;
      break;
    }
    case RtfWord::kSmallCaps:
      p.small_caps = on;
      break;
    case RtfWord::kFont:
      if (t.has_param) p.font = t.param;
      break;
    case RtfWord::kFontSize:
      if (t.has_param && t.param > 0) p.half_points = std::min(t.param, kMaxHalfPoints);
      break;
    case RtfWord::kColour:
      if (t.has_param) p.colour = t.param;
      break;
    default:
      break;
  }
}

void RtfReader::ParagraphWord(RtfWord word, const RtfToken& t) {
  ParagraphStyle& p = State().paragraph;
  const int32_t twips = std::clamp(t.param, -kMaxIndent, kMaxIndent);
  switch (word) {
    case RtfWord::kPard:
      p = ParagraphStyle{};
      break;
    case RtfWord::kPar:
    case RtfWord::kRow:
      EndParagraph();
      break;
    case RtfWord::kLine:
      AppendChar(kLineBreak);
      break;
    case RtfWord::kTab:
    case RtfWord::kCell:
      AppendChar(U'\t');
      break;
    case RtfWord::kLeft:
      p.alignment = Alignment::kLeft;
      break;
    case RtfWord::kCentre:
      p.alignment = Alignment::kCentre;
      break;
    case RtfWord::kRight:
      p.alignment = Alignment::kRight;
      break;
    case RtfWord::kJustify:
      p.alignment = Alignment::kJustify;
      break;
    case RtfWord::kLeftIndent:
      p.left_indent = twips;
      break;
    case RtfWord::kRightIndent:
      p.right_indent = twips;
      break;
    case RtfWord::kFirstIndent:
      p.first_indent = twips;
      break;
    case RtfWord::kSpaceBefore:
      p.space_before = std::max(0, twips);
      break;
    case RtfWord::kSpaceAfter:
      p.space_after = std::max(0, twips);
      break;
    case RtfWord::kTabStop:
      if (twips > 0 && p.tab_stops.size() < kMaxTabStops) {
        p.tab_stops.insert(std::upper_bound(p.tab_stops.begin(), p.tab_stops.end(), twips), twips);
      }
      break;
    default:
      break;
  }
}

void RtfReader::FontTableWord(RtfWord word, const RtfToken& t) {
  switch (word) {
    case RtfWord::kFont:
      if (!font_name_.empty()) FinishFontEntry();
      font_number_ = t.param;
      font_charset_ = kDefaultCharset;
      font_code_page_ = 0;
      break;
    case RtfWord::kFontCharset:
      if (t.param >= 0 && t.param <= 255) font_charset_ = t.param;
      break;
    case RtfWord::kCodePage:
      if (t.param > 0) font_code_page_ = t.param;
      break;
    default:
      break;
  }
}

void RtfReader::FinishFontEntry() {
  const int32_t number = font_number_;
  std::string name = std::move(font_name_);
  font_name_.clear();
  font_number_ = -1;
  if (number < 0 || fonts_.contains(number) || fonts_.size() >= kMaxFonts) return;
  while (!name.empty() && (name.back() == ' ' || name.back() == ';')) name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(name.begin());
  FontSlot slot;
  slot.charset = font_charset_;
  slot.code_page = font_code_page_;
  const int32_t code_page =
      slot.code_page > 0 ? slot.code_page : CodePageForCharset(uint8_t(slot.charset), code_page_);
  std::string utf8;
  for (char32_t c : decoder_.Decode(name, code_page)) AppendUtf8(utf8, c);
  slot.index = builder_.AddFont({std::move(utf8), uint8_t(slot.charset)});
  fonts_.emplace(number, slot);
}

void RtfReader::FinishColourEntry() {
  if (colours_.size() < kMaxColours) {
    std::optional<Pixel> colour;
    if (colour_set_) {
      colour = Pixel(std::clamp(red_, 0, 255)) << 16 | Pixel(std::clamp(green_, 0, 255)) << 8 |
               Pixel(std::clamp(blue_, 0, 255));
    }
    colours_.push_back(colour);
  }
  colour_set_ = false;
  red_ = green_ = blue_ = 0;
}

void RtfReader::PictureWord(RtfWord word, const RtfToken& t) {
  if (!picture_) return;
  RtfPictureData& p = *picture_;
  switch (word) {
    case RtfWord::kPngBlip:
      p.format = RtfPictureData::Format::kPng;
      break;
    case RtfWord::kJpegBlip:
      p.format = RtfPictureData::Format::kJpeg;
      break;
    case RtfWord::kDib:
      p.format = RtfPictureData::Format::kDib;
      break;
    case RtfWord::kWindowsMetafile:
      p.format = RtfPictureData::Format::kWindowsMetafile;
      break;
    case RtfWord::kPicWidth:
      p.width_px = t.param;
      break;
    case RtfWord::kPicHeight:
      p.height_px = t.param;
      break;
    case RtfWord::kPicGoalWidth:
      p.goal_width = t.param;
      break;
    case RtfWord::kPicGoalHeight:
      p.goal_height = t.param;
      break;
    case RtfWord::kPicScaleX:
      p.scale_x = t.param;
      break;
    case RtfWord::kPicScaleY:
      p.scale_y = t.param;
      break;
    default:
      break;
  }
}

void RtfReader::PictureHex(std::string_view bytes) {
  if (!picture_) return;
  for (char c : bytes) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    if (v < 0) continue;
    if (picture_nibble_ < 0) {
      picture_nibble_ = v;
    } else {
      picture_->bytes.push_back(uint8_t(picture_nibble_ << 4 | v));
      picture_nibble_ = -1;
    }
  }
}

void RtfReader::FinishPicture() {
  std::optional<RtfPictureData> data = std::move(picture_);
  picture_.reset();
  if (!data || groups_.empty() || State().chars.hidden || pictures_ >= kMaxRtfPictures) return;
  // The shown size is checked against what the document's pictures have left before anything
  // is decoded or scaled.
  const RtfPictureLimits limits{memory_, kMaxPicturePixels - picture_pixels_};
  std::shared_ptr<const Bitmap> picture =
      data->format == RtfPictureData::Format::kWindowsMetafile
          ? DecodeRtfMetafile(*data, font_engine_, code_page_, limits)
          : DecodeRtfPicture(*data, limits);
  if (!picture) return;
  const int64_t pixels = int64_t{picture->Width()} * picture->Height();
  if (picture_pixels_ + pixels > kMaxPicturePixels) return;
  picture_pixels_ += pixels;
  ++pictures_;
  Flush();
  builder_.AddPicture(std::move(picture), CurrentStyle());
}

}  // namespace

DecodeResult<RichDocument> ReadRtf(std::span<const uint8_t> data, const RtfOptions& options) {
  size_t start = 0;
  while (start < data.size() && (data[start] == ' ' || data[start] == '\t' || data[start] == '\r' ||
                                 data[start] == '\n')) {
    ++start;
  }
  static constexpr std::string_view kMagic = "{\\rtf";
  const auto rest = data.subspan(start);
  if (rest.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), rest.begin())) {
    return DecodeError{"not an RTF document"};
  }
  return RtfReader(rest, options).Read();
}

}  // namespace velmorant::platform
