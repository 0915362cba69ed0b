#include "platform/text/line_breaker.hpp"

#include <algorithm>

#include "platform/text/draw_text_flags.hpp"

namespace velmorant::platform {

namespace {

bool IsLineEnd(char32_t c) {
  return c == U'\r' || c == U'\n';
}

bool IsDropped(char32_t c) {
  return (c < 0x20 && c != U'\t') || c == 0x7F;
}

}  // namespace

LineBreaker::LineBreaker(std::u32string_view text, uint32_t format, int64_t width,
                         int32_t tab_width, AdvanceFn advance)
    : text_(text),
      single_line_((format & kDtSingleLine) != 0),
      word_break_((format & kDtWordBreak) != 0 && (format & kDtSingleLine) == 0),
      keep_one_space_less_((format & (kDtCenter | kDtRight)) != 0),
      expand_tabs_((format & kDtExpandTabs) != 0),
      prefixes_((format & kDtNoPrefix) == 0),
      width_(width),
      tab_width_(tab_width),
      advance_(std::move(advance)) {}

void LineBreaker::ReadParagraph() {
  paragraph_.clear();
  next_ = 0;
  in_paragraph_ = true;
  bool prefix_pending = false;
  while (raw_ < text_.size()) {
    const char32_t c = text_[raw_];
    if (!single_line_ && IsLineEnd(c)) break;
    ++raw_;
    // A '&' that is the very last character is drawn as it stands.
    if (prefixes_ && c == U'&' && raw_ < text_.size()) {
      if (text_[raw_] == U'&') {
        ++raw_;
        paragraph_.push_back({U'&', false});
      } else {
        prefix_pending = true;
      }
      continue;
    }
    if (!IsDropped(c) && !(single_line_ && IsLineEnd(c))) {
      paragraph_.push_back({c, prefix_pending});
    }
    prefix_pending = false;
  }
  paragraph_has_line_end_ = raw_ < text_.size();
  if (paragraph_has_line_end_) {
    const char32_t first = text_[raw_++];
    if (raw_ < text_.size() && IsLineEnd(text_[raw_]) && text_[raw_] != first) ++raw_;
  }
}

int64_t LineBreaker::AdvanceAt(char32_t c, int64_t x) const {
  if (c != U'\t') return advance_(c);
  if (!expand_tabs_) return advance_(U' ');
  if (tab_width_ <= 0) return 0;
  return (x / tab_width_ + 1) * tab_width_ - x;
}

void LineBreaker::ExtendOffsets(std::vector<int64_t>& offsets, size_t count) const {
  while (offsets.size() <= count) {
    const int64_t x = offsets.back();
    offsets.push_back(x + AdvanceAt(paragraph_[next_ + offsets.size() - 1].c, x));
  }
}

LineBreaker::Cut LineBreaker::BreakAt(size_t fit, size_t available) const {
  // With expanded tabs a line breaks only inside the stretch after the last tab stop.
  size_t segment = 0;
  for (size_t i = 0; i <= fit && i < available; ++i) {
    if (IsTabStop(i)) segment = i + 1;
  }
  if (fit > segment) {
    size_t p = fit - 1;
    if (!IsSpace(fit)) {
      while (p > segment && !IsSpace(p)) --p;
    }
    if (IsSpace(fit) || IsSpace(p)) {
      if (!keep_one_space_less_ || !IsSpace(p)) ++p;
      const bool swallow = p < available && IsSpace(p);
      return {p, p + (swallow ? 1 : 0)};
    }
  }
  // No room even for the first word: it stays whole and overflows.
  size_t p = std::max(fit, segment);
  while (p < available && !IsSpace(p) && !IsTabStop(p)) ++p;
  const bool swallow = p < available && IsSpace(p);
  return {p, p + (swallow ? 1 : 0)};
}

std::optional<TextLine> LineBreaker::Next() {
  if (!in_paragraph_) {
    if (raw_ >= text_.size()) return std::nullopt;
    ReadParagraph();
  }
  const size_t available = paragraph_.size() - next_;
  std::vector<int64_t> offsets{0};
  Cut cut{available, available};
  bool broken = false;
  if (word_break_) {
    size_t fit = 0;
    while (fit < available) {
      ExtendOffsets(offsets, fit + 1);
      if (offsets[fit + 1] > width_) break;
      ++fit;
    }
    if (fit < available) {
      cut = BreakAt(fit, available);
      broken = true;
    }
  }
  ExtendOffsets(offsets, cut.length);
  offsets.resize(cut.length + 1);

  TextLine line;
  line.chars.reserve(cut.length);
  for (size_t i = 0; i < cut.length; ++i) {
    const Token& t = paragraph_[next_ + i];
    line.chars.push_back(t.c);
    if (t.prefixed && line.prefix < 0) line.prefix = int32_t(i);
  }
  line.offsets = std::move(offsets);

  next_ += cut.consumed;
  // A line cut by word breaking right before its paragraph's line end leaves that line end for an
  // empty line of its own.
  if (!broken || (next_ == paragraph_.size() && !paragraph_has_line_end_)) in_paragraph_ = false;
  return line;
}

}  // namespace velmorant::platform
