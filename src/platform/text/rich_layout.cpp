#include "platform/text/rich_layout.hpp"

#include <algorithm>

#include "platform/text/glyph_painter.hpp"
#include "platform/text/line_breaker.hpp"

namespace velmorant::platform {

namespace {

// Default tab stops: every half inch.
constexpr int32_t kDefaultTabPixels = 48;

bool IsLineEnd(char32_t c) {
  return c == kParagraphMark || c == kLineBreak;
}

// Characters that take no ink when painted.
bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || IsLineEnd(c) || c == kObjectMark;
}

}  // namespace

// Walks the style runs of a document with a cursor, so that neighbouring characters find their
// font without a search.
class RunCursor {
 public:
  RunCursor(const RichDocument& doc, RichFonts& fonts) : doc_(doc), fonts_(fonts) {}
  const CharStyle& Style(size_t p) {
    Seek(p);
    return doc_.char_styles[doc_.char_runs[run_].style];
  }
  const Font& FontAt(size_t p) {
    Seek(p);
    if (!font_) font_ = &fonts_.For(doc_.char_styles[doc_.char_runs[run_].style]);
    return *font_;
  }
  // The end of the run holding p.
  size_t RunEnd(size_t p) {
    Seek(p);
    return end_;
  }

 private:
  void Seek(size_t p) {
    if (p >= start_ && p < end_) return;
    run_ = doc_.RunAt(p);
    start_ = doc_.char_runs[run_].start;
    end_ = run_ + 1 < doc_.char_runs.size() ? doc_.char_runs[run_ + 1].start : doc_.Length();
    font_ = nullptr;
  }

  const RichDocument& doc_;
  RichFonts& fonts_;
  size_t run_ = 0;
  size_t start_ = 1;
  size_t end_ = 0;
  const Font* font_ = nullptr;
};

RichLayout::RichLayout(const RichDocument& doc, RichFonts& fonts, int32_t width)
    : doc_(doc), fonts_(fonts), width_(std::max(1, width)) {
  char_x_.assign(doc.Length(), 0);
  char_width_.assign(doc.Length(), 0);
  int32_t y = 0;
  for (size_t i = 0; i < doc.paragraphs.size(); ++i) LayOutParagraph(i, y);
  height_ = y;
}

int32_t RichLayout::Advance(size_t p, int32_t x, int32_t line_left,
                            const ParagraphStyle& paragraph) {
  const char32_t c = doc_.text[p];
  if (IsLineEnd(c)) return 0;
  if (c == U'\t') {
    const int32_t at = line_left + x;
    for (int32_t stop_twips : paragraph.tab_stops) {
      const int32_t stop = TwipsToPixels(stop_twips);
      if (stop > at) return stop - at;
    }
    return (at / kDefaultTabPixels + 1) * kDefaultTabPixels - at;
  }
  if (c == kObjectMark) {
    if (const RichPicture* picture = doc_.PictureAt(p)) return picture->picture->Width();
  }
  RunCursor cursor(doc_, fonts_);
  return cursor.FontAt(p).Advance(c);
}

void RichLayout::LayOutParagraph(size_t index, int32_t& y) {
  const size_t begin = doc_.paragraphs[index].start;
  const size_t end =
      index + 1 < doc_.paragraphs.size() ? doc_.paragraphs[index + 1].start : doc_.Length();
  const ParagraphStyle& paragraph = doc_.paragraph_styles[doc_.paragraphs[index].style];
  const int32_t left = TwipsToPixels(paragraph.left_indent);
  const int32_t right = TwipsToPixels(paragraph.right_indent);
  y += TwipsToPixels(paragraph.space_before);
  RunCursor cursor(doc_, fonts_);
  size_t line_start = begin;
  bool first_line = true;
  while (line_start < end) {
    const int32_t x0 =
        std::clamp(left + (first_line ? TwipsToPixels(paragraph.first_indent) : 0), 0, width_ - 1);
    const int32_t available = std::max(1, width_ - std::max(0, right) - x0);
    int32_t x = 0;
    size_t after_space = line_start;
    size_t p = line_start;
    size_t line_end = end;
    while (p < end) {
      const char32_t c = doc_.text[p];
      int32_t w = 0;
      if (c == U'\t' || c == kObjectMark) {
        w = Advance(p, x, x0, paragraph);
      } else if (!IsLineEnd(c)) {
        w = cursor.FontAt(p).Advance(c);
      }
      if (!IsLineEnd(c) && c != U' ' && x + w > available && p > line_start) {
        // Break after the last spaces, or inside a word that fills the line by itself.
        line_end = after_space > line_start ? after_space : p;
        break;
      }
      char_x_[p] = x;
      char_width_[p] = w;
      x += w;
      ++p;
      if (c == U' ') after_space = p;
      if (IsLineEnd(c)) {
        line_end = p;
        break;
      }
    }
    FinishLine(uint32_t(line_start), uint32_t(line_end), x0, available, paragraph, y);
    line_start = line_end;
    first_line = false;
  }
  y += TwipsToPixels(paragraph.space_after);
}

void RichLayout::FinishLine(uint32_t start, uint32_t end, int32_t x0, int32_t available,
                            const ParagraphStyle& paragraph, int32_t& y) {
  RunCursor cursor(doc_, fonts_);
  int32_t ascent = 0;
  int32_t descent = 0;
  for (size_t p = start; p < end; p = std::min<size_t>(cursor.RunEnd(p), end)) {
    const TextMetrics& m = cursor.FontAt(p).Metrics();
    // Raised text makes the line taller above, lowered text below.
    const int32_t rise = RisePixels(cursor.Style(p));
    ascent = std::max(ascent, m.ascent + rise);
    descent = std::max(descent, m.descent - rise);
  }
  for (auto it = std::lower_bound(doc_.pictures.begin(), doc_.pictures.end(), start,
                                  [](const RichPicture&r, uint32_t s) { return r.position < s; });
       it != doc_.pictures.end() && it->position < end; ++it) {
    ascent = std::max(ascent, it->picture->Height());
  }
  // What the line shows, without the spaces and the line end it finishes with.
  uint32_t last = end;
  while (last > start && (doc_.text[last - 1] == U' ' || IsLineEnd(doc_.text[last - 1]))) --last;
  const int32_t content = last > start ? char_x_[last - 1] + char_width_[last - 1] : 0;
  int32_t shift = 0;
  if (paragraph.alignment == Alignment::kCentre) shift = (available - content) / 2;
  if (paragraph.alignment == Alignment::kRight) shift = available - content;
  LayoutLine line;
  line.start = start;
  line.end = end;
  line.top = y;
  line.ascent = ascent;
  line.height = std::max(1, ascent + descent);
  line.x = x0 + std::max(0, shift);
  lines_.push_back(line);
  y += line.height;
}

size_t RichLayout::LineAt(int32_t y) const {
  if (lines_.empty()) return 0;
  const auto after = std::upper_bound(lines_.begin(), lines_.end(), y,
                                      [](int32_t v, const LayoutLine& l) { return v < l.top; });
  return after == lines_.begin() ? 0 : size_t(after - lines_.begin()) - 1;
}

int32_t RichLayout::CharAt(Point p) const {
  if (lines_.empty()) return 0;
  const LayoutLine& line = lines_[LineAt(p.y)];
  for (uint32_t q = line.start; q < line.end; ++q) {
    if (p.x < line.x + char_x_[q] + char_width_[q]) return int32_t(q);
  }
  return int32_t(line.end) - 1;
}

void RichLayout::Paint(Bitmap& target, Point origin, const Rect& clip_in) const {
  const Rect clip = clip_in.Intersect(target.Bounds());
  if (clip.IsEmpty() || lines_.empty()) return;
  // From one line earlier: its glyphs may reach below their line.
  size_t first =
      LineAt(int32_t(std::clamp<int64_t>(int64_t{clip.top} - origin.y, INT32_MIN, INT32_MAX)));
  if (first > 0) --first;
  for (size_t i = first; i < lines_.size(); ++i) {
    const LayoutLine& line = lines_[i];
    if (int64_t{origin.y} + line.top >= clip.bottom) break;
    PaintLine(target, line, origin, clip, 1, fonts_);
  }
}

void RichLayout::PaintScaled(Bitmap& target, Point origin, size_t first, size_t end, int32_t scale,
                             RichFonts& fonts) const {
  for (size_t i = first; i < std::min(end, lines_.size()); ++i) {
    PaintLine(target, lines_[i], origin, target.Bounds(), scale, fonts);
  }
}

void RichLayout::PaintLine(Bitmap& target, const LayoutLine& line, Point origin, const Rect& clip,
                           int32_t scale, RichFonts& fonts) const {
  RunCursor cursor(doc_, fonts);
  const int64_t top = int64_t{origin.y} + int64_t{scale} * line.top;
  const int64_t left = int64_t{origin.x} + int64_t{scale} * line.x;
  for (size_t a = line.start; a < line.end;) {
    const size_t b = std::min<size_t>(cursor.RunEnd(a), line.end);
    const Font& font = cursor.FontAt(a);
    const CharStyle& style = cursor.Style(a);
    TextLine piece;
    piece.chars.reserve(b - a);
    piece.offsets.reserve(b - a + 1);
    for (size_t p = a; p < b; ++p) {
      const char32_t c = doc_.text[p];
      piece.chars.push_back(IsBlank(c) ? U' ' : c);
      piece.offsets.push_back(int64_t{scale} * (char_x_[p] - char_x_[a]));
      if (c == kObjectMark) {
        if (const RichPicture* picture = doc_.PictureAt(p)) {
          const Bitmap& pic = *picture->picture;
          const int64_t px = left + int64_t{scale} * char_x_[p];
          const int64_t py = top + int64_t{scale} * (line.ascent - pic.Height());
          const Rect area = clip.Intersect(Rect{
              int32_t(std::clamp<int64_t>(px, INT32_MIN, INT32_MAX)),
              int32_t(std::clamp<int64_t>(py, INT32_MIN, INT32_MAX)),
              int32_t(std::clamp<int64_t>(px + int64_t{scale} * pic.Width(), INT32_MIN, INT32_MAX)),
              int32_t(
                  std::clamp<int64_t>(py + int64_t{scale} * pic.Height(), INT32_MIN, INT32_MAX))});
          for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x) {
              target.Set(x, y, pic.At(int32_t((x - px) / scale), int32_t((y - py) / scale)));
            }
          }
        }
      }
    }
    // Decorations run under what the piece shows, not under its trailing line end.
    size_t shown = b;
    while (shown > a && IsLineEnd(doc_.text[shown - 1])) --shown;
    piece.offsets.push_back(
        shown > a ? int64_t{scale} * (char_x_[shown - 1] + char_width_[shown - 1] - char_x_[a])
                  : 0);
    const int64_t x = left + int64_t{scale} * char_x_[a];
    const int64_t cell_top =
        top + int64_t{scale} * (line.ascent - RisePixels(style)) - font.Metrics().ascent;
    velmorant::platform::PaintLine(target, font, piece, x, cell_top, style.colour, clip);
    a = b;
  }
}

}  // namespace velmorant::platform
