#include "platform/text/rtf_scanner.hpp"

#include <algorithm>
#include <limits>

namespace velmorant::platform {

namespace {

// Longer words are not RTF; they are read whole and match nothing.
constexpr size_t kMaxParamDigits = 10;

bool IsLetter(uint8_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(uint8_t c) {
  return c >= '0' && c <= '9';
}

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

RtfToken Token(RtfToken::Kind kind) {
  RtfToken t;
  t.kind = kind;
  return t;
}

bool IsPlain(uint8_t c) {
  return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n';
}

}  // namespace

RtfToken RtfScanner::Next() {
  while (pos_ < data_.size()) {
    const uint8_t c = data_[pos_];
    if (c == '\r' || c == '\n') {
      ++pos_;
      continue;
    }
    if (c == '{') {
      ++pos_;
      return Token(RtfToken::Kind::kOpen);
    }
    if (c == '}') {
      ++pos_;
      return Token(RtfToken::Kind::kClose);
    }
    if (c == '\\') {
      ++pos_;
      if (pos_ >= data_.size()) break;
      return IsLetter(data_[pos_]) ? ControlWord() : ControlSymbol();
    }
    const size_t start = pos_;
    while (pos_ < data_.size() && IsPlain(data_[pos_])) ++pos_;
    RtfToken t = Token(RtfToken::Kind::kText);
    t.word = {reinterpret_cast<const char*>(data_.data()) + start, pos_ - start};
    return t;
  }
  return Token(RtfToken::Kind::kEnd);
}

RtfToken RtfScanner::ControlWord() {
  RtfToken t = Token(RtfToken::Kind::kWord);
  const size_t start = pos_;
  while (pos_ < data_.size() && IsLetter(data_[pos_])) ++pos_;
  t.word = {reinterpret_cast<const char*>(data_.data()) + start, pos_ - start};
  bool negative = false;
  if (pos_ + 1 < data_.size() && data_[pos_] == '-' && IsDigit(data_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  int64_t value = 0;
  size_t digits = 0;
  while (pos_ < data_.size() && IsDigit(data_[pos_])) {
    if (digits++ < kMaxParamDigits) value = value * 10 + (data_[pos_] - '0');
    ++pos_;
  }
  if (digits > 0) {
    t.has_param = true;
    value = negative ? -value : value;
    t.param = int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max()));
  }
  // One space ends the word and belongs to it.
  if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
  return t;
}

RtfToken RtfScanner::ControlSymbol() {
  const uint8_t c = data_[pos_++];
  if (c == '\\' || c == '{' || c == '}') {
    RtfToken t = Token(RtfToken::Kind::kByte);
    t.byte = c;
    return t;
  }
  if (c == '\'') {
    const int high = pos_ < data_.size() ? HexValue(data_[pos_]) : -1;
    const int low = pos_ + 1 < data_.size() ? HexValue(data_[pos_ + 1]) : -1;
    RtfToken t = Token(RtfToken::Kind::kSymbol);
    t.byte = c;  // a broken escape: a symbol that means nothing
    if (high < 0 || low < 0) return t;
    pos_ += 2;
    t.kind = RtfToken::Kind::kByte;
    t.byte = uint8_t(high << 4 | low);
    return t;
  }
  RtfToken t = Token(RtfToken::Kind::kSymbol);
  // "\" and a line end is a paragraph.
  if (c == '\r' || c == '\n') {
    t.kind = RtfToken::Kind::kWord;
    t.word = "par";
    return t;
  }
  t.byte = c;
  return t;
}

std::span<const uint8_t> RtfScanner::TakeBinary(int64_t count) {
  const size_t n = size_t(std::clamp<int64_t>(count, 0, int64_t(data_.size() - pos_)));
  const auto bytes = data_.subspan(pos_, n);
  pos_ += n;
  return bytes;
}

void RtfScanner::SkipGroup() {
  int64_t depth = 1;
  while (depth > 0) {
    const RtfToken t = Next();
    switch (t.kind) {
      case RtfToken::Kind::kEnd:
        return;
      case RtfToken::Kind::kOpen:
        ++depth;
        break;
      case RtfToken::Kind::kClose:
        --depth;
        break;
      case RtfToken::Kind::kWord:
        if (t.word == "bin" && t.has_param) TakeBinary(t.param);
        break;
      default:
        break;
    }
  }
}

}  // namespace velmorant::platform
