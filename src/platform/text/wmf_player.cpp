#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/fs/codepage.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/dib_file.hpp"
#include "platform/gfx/little_endian.hpp"
#include "platform/gfx/polygon_fill.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/metafile.hpp"
#include "platform/text/text_decoder.hpp"
#include "platform/text/wmf_records.hpp"

namespace velmorant::platform {

namespace {

using wmf::Params;

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableBytes = 22;
constexpr size_t kHeaderBytes = 18;
// Object handles a metafile may ask for, and saved states kept.
constexpr size_t kMaxObjects = 4096;
constexpr size_t kMaxSavedStates = 256;
// Edge crossings the fills of one metafile may cost: a hostile one cannot hold the player up.
constexpr int64_t kMaxFillWork = int64_t{1} << 27;
constexpr int32_t kMaxEllipsePoints = 256;

constexpr uint16_t kPenNull = 5;
constexpr uint16_t kBrushNull = 1;
constexpr uint16_t kTransparent = 1;
constexpr uint16_t kAlignUpdateCp = 1;
constexpr uint16_t kAlignHorizontal = 6;  // TA_CENTER; TA_RIGHT is 2
constexpr uint16_t kAlignVertical = 24;   // TA_BASELINE; TA_BOTTOM is 8
constexpr uint16_t kTextOpaque = 2;       // ETO_OPAQUE
constexpr uint16_t kTextClipped = 4;      // ETO_CLIPPED
constexpr uint32_t kSrcCopy = 0x00CC0020;

Pixel ColourOf(uint32_t colorref) {
  // Palette indices and the like (a set top byte) are taken for their colour bits.
  return ToPixel(ColorRef(colorref & 0x00FFFFFF));
}

struct Pen {
  uint16_t style = 0;
  double width = 1;  // logical
  Pixel colour = kBlack;
};

struct Brush {
  uint16_t style = 0;
  Pixel colour = kWhite;
};

struct LogFont {
  int16_t height = 0;
  int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  uint8_t charset = kAnsiCharset;
  std::string face;
};

struct Object {
  enum class Kind : uint8_t { kFree, kPen, kBrush, kFont, kOther } kind = Kind::kFree;
  Pen pen;
  Brush brush;
  LogFont font;
};

struct State {
  Pen pen;
  Brush brush;
  LogFont font;
  Pixel text_colour = kBlack;
  Pixel background = kWhite;
  uint16_t background_mode = 2;  // OPAQUE
  uint16_t text_align = 0;
  FillRule fill = FillRule::kEvenOdd;
  PointF window_origin;
  PointF window_extent;
  PointF position;  // logical
  Rect clip;
};

class Player {
 public:
  Player(Bitmap& target, const MetafileOptions& options, size_t objects)
      : target_(target), options_(options), objects_(std::min(objects, kMaxObjects)) {
    state_.window_extent = {double(std::max(1, options.default_extent.width)),
                            double(std::max(1, options.default_extent.height))};
    state_.clip = target.Bounds();
  }

  // False once the metafile has ended.
  bool Play(uint16_t function, const Params& p);

 private:
  double ScaleX() const { return target_.Width() / state_.window_extent.x; }
  double ScaleY() const { return target_.Height() / state_.window_extent.y; }
  PointF Map(double x, double y) const {
    return {(x - state_.window_origin.x) * ScaleX(), (y - state_.window_origin.y) * ScaleY()};
  }
  Rect MapRect(double left, double top, double right, double bottom) const;

  void SetExtent(double x, double y);
  void CreateObject(const Object& object);
  void SelectObject(uint16_t index);
  void RestoreState(int16_t which);

  std::vector<PointF> Points(const Params& p, size_t word, size_t count) const;
  void Fill(const std::vector<std::vector<PointF>>& rings);
  void Outline(const std::vector<PointF>& points, bool closed);
  void Line(PointF a, PointF b);
  void Shape(const std::vector<PointF>& ring);
  std::vector<PointF> EllipseRing(const Params& p) const;

  // Where a record keeps a rectangle: the words of its x, y, width and height.
  struct Words {
    size_t x, y, width, height;
  };
  Rect Area(const Params& p, const Words& w) const {
    return MapRect(p.I16(w.x), p.I16(w.y), double(p.I16(w.x)) + p.I16(w.width),
                   double(p.I16(w.y)) + p.I16(w.height));
  }
  // A bitmap record: its destination, the part of the bitmap it shows and where the bitmap
  // starts; `from_bottom` when its source rows count from the bottom, as DIBs store them.
  void BitmapRecord(const Params& p, const Words& dest, const Words& source, size_t dib,
                    uint32_t rop, bool from_bottom) {
    const Rect part{p.I16(source.x), p.I16(source.y), p.I16(source.x) + p.I16(source.width),
                    p.I16(source.y) + p.I16(source.height)};
    Blit(rop, Area(p, dest), part, p.From(dib), from_bottom);
  }

  void Text(double x, double y, std::string_view bytes, std::optional<Rect> opaque);
  void Blit(uint32_t rop, Rect dest, Rect source_rect, std::span<const uint8_t> dib, bool flip_y);
  void PatBlt(uint32_t rop, const Rect& dest);
  std::optional<Bitmap> DecodeDib(std::span<const uint8_t> dib) const;
  void FillRect(const Rect& r, Pixel colour);

  Bitmap& target_;
  const MetafileOptions& options_;
  std::vector<Object> objects_;
  State state_;
  std::vector<State> saved_;
  int64_t fill_work_ = 0;
};

Rect Player::MapRect(double left, double top, double right, double bottom) const {
  const PointF a = Map(left, top);
  const PointF b = Map(right, bottom);
  auto round = [](double v) { return int32_t(std::clamp(std::lround(v), -(1L << 30), 1L << 30)); };
  return {round(std::min(a.x, b.x)), round(std::min(a.y, b.y)), round(std::max(a.x, b.x)),
          round(std::max(a.y, b.y))};
}

void Player::SetExtent(double x, double y) {
  // An extent of 0 maps nothing; a negative one mirrors, as the window mapping does.
  if (x != 0) state_.window_extent.x = x;
  if (y != 0) state_.window_extent.y = y;
}

void Player::CreateObject(const Object& object) {
  // Each new object takes the lowest free handle, as playback numbers them.
  for (Object& slot : objects_) {
    if (slot.kind == Object::Kind::kFree) {
      slot = object;
      return;
    }
  }
}

void Player::SelectObject(uint16_t index) {
  if (index >= objects_.size()) return;
  const Object& o = objects_[index];
  if (o.kind == Object::Kind::kPen) state_.pen = o.pen;
  if (o.kind == Object::Kind::kBrush) state_.brush = o.brush;
  if (o.kind == Object::Kind::kFont) state_.font = o.font;
}

void Player::RestoreState(int16_t which) {
  // Negative: that many states back; positive: the state saved that many times from the first.
  size_t keep = 0;
  if (which < 0) {
    const size_t back = size_t(-int32_t{which});
    if (back > saved_.size()) return;
    keep = saved_.size() - back;
  } else {
    if (which == 0 || size_t(which) > saved_.size()) return;
    keep = size_t(which) - 1;
  }
  state_ = saved_[keep];
  saved_.resize(keep);
}

std::vector<PointF> Player::Points(const Params& p, size_t word, size_t count) const {
  count = std::min(count, (p.Words() > word ? p.Words() - word : 0) / 2);
  std::vector<PointF> points;
  points.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    points.push_back(Map(p.I16(word + 2 * i), p.I16(word + 2 * i + 1)));
  }
  return points;
}

void Player::Fill(const std::vector<std::vector<PointF>>& rings) {
  if (state_.brush.style == kBrushNull) return;
  int64_t edges = 0;
  double top = INFINITY;
  double bottom = -INFINITY;
  for (const auto& ring : rings) {
    edges += int64_t(ring.size());
    for (const PointF& q : ring) {
      top = std::min(top, q.y);
      bottom = std::max(bottom, q.y);
    }
  }
  if (top > bottom) return;
  const double rows = std::clamp(bottom, 0.0, double(target_.Height())) -
                      std::clamp(top, 0.0, double(target_.Height()));
  fill_work_ += edges * (int64_t(rows) + 1);
  if (fill_work_ > kMaxFillWork) return;
  FillPolygon(target_, rings, state_.fill, state_.brush.colour, state_.clip);
}

void Player::Line(PointF a, PointF b) {
  const double width = std::abs(state_.pen.width * ScaleX());
  if (width <= 1.5) {
    Canvas canvas(target_);
    canvas.SetClip(state_.clip);
    canvas.pen_colour = state_.pen.colour;
    auto round = [](double v) {
      return int32_t(std::clamp(std::lround(v), -(1L << 30), 1L << 30));
    };
    canvas.MoveTo(round(a.x), round(a.y));
    canvas.LineTo(round(b.x), round(b.y));
    return;
  }
  // A wide pen's stroke is the band of its width around the line.
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0 || !std::isfinite(length)) return;
  const double nx = -dy / length * width / 2;
  const double ny = dx / length * width / 2;
  const Brush brush = state_.brush;
  const FillRule rule = state_.fill;
  state_.brush = {0, state_.pen.colour};
  state_.fill = FillRule::kNonZero;
  Fill({{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}});
  state_.brush = brush;
  state_.fill = rule;
}

void Player::Outline(const std::vector<PointF>& points, bool closed) {
  if (state_.pen.style == kPenNull || points.size() < 2) return;
  for (size_t i = 0; i + 1 < points.size(); ++i) Line(points[i], points[i + 1]);
  if (closed) Line(points.back(), points.front());
}

void Player::Shape(const std::vector<PointF>& ring) {
  Fill({ring});
  Outline(ring, true);
}

std::vector<PointF> Player::EllipseRing(const Params& p) const {
  const PointF a = Map(p.I16(3), p.I16(2));
  const PointF b = Map(p.I16(1), p.I16(0));
  const double cx = (a.x + b.x) / 2;
  const double cy = (a.y + b.y) / 2;
  const double rx = std::abs(b.x - a.x) / 2;
  const double ry = std::abs(b.y - a.y) / 2;
  const auto n = int32_t(std::clamp((rx + ry) * 2, 16.0, double(kMaxEllipsePoints)));
  std::vector<PointF> ring;
  ring.reserve(size_t(n));
  for (int32_t i = 0; i < n; ++i) {
    const double t = 2 * std::numbers::pi * i / n;
    ring.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  return ring;
}

void Player::FillRect(const Rect& r, Pixel colour) {
  const Rect area = r.Intersect(state_.clip).Intersect(target_.Bounds());
  for (int32_t y = area.top; y < area.bottom; ++y) {
    auto row = target_.Row(y);
    std::fill(row.begin() + area.left, row.begin() + area.right, colour);
  }
}

void Player::Text(double x, double y, std::string_view bytes, std::optional<Rect> opaque) {
  if (opaque) FillRect(*opaque, state_.background);
  if (!options_.fonts || bytes.empty()) return;
  const LogFont& f = state_.font;
  // A negative height is the letters' own, a positive one the cell's, in logical units.
  double em = std::abs(f.height * ScaleY());
  if (f.height > 0) em *= 0.87;
  if (f.height == 0) em = 16 * std::abs(ScaleY());
  FontRequest wanted;
  wanted.name = f.face;
  wanted.size_points = int32_t(std::clamp(std::lround(em * 72 / 96), 1L, 512L));
  wanted.bold = f.weight >= 600;
  wanted.italic = f.italic;
  wanted.underline = f.underline;
  wanted.strike_out = f.strike;
  wanted.charset = f.charset;
  const Font font = options_.fonts->CreateFont(wanted);
  std::string utf8;
  for (char32_t c :
       TextDecoder().Decode(bytes, CodePageForCharset(f.charset, options_.code_page))) {
    AppendUtf8(utf8, c);
  }
  const bool at_position = (state_.text_align & kAlignUpdateCp) != 0;
  const PointF at = at_position ? Map(state_.position.x, state_.position.y) : Map(x, y);
  const Size extent = font.TextExtent(utf8);
  double left = at.x;
  const uint16_t horizontal = state_.text_align & kAlignHorizontal;
  if (horizontal == 6) left -= extent.width / 2.0;
  if (horizontal == 2) left -= extent.width;
  double top = at.y;
  const uint16_t vertical = state_.text_align & kAlignVertical;
  if (vertical == 24) top -= font.Metrics().ascent;
  if (vertical == 8) top -= extent.height;
  const Point cell{int32_t(std::clamp(std::lround(left), -(1L << 20), 1L << 20)),
                   int32_t(std::clamp(std::lround(top), -(1L << 20), 1L << 20))};
  if (state_.background_mode != kTransparent && !opaque) {
    FillRect({cell.x, cell.y, cell.x + extent.width, cell.y + extent.height}, state_.background);
  }
  TextOut(target_, font, cell, utf8, state_.text_colour);
  if (at_position) state_.position.x += extent.width / ScaleX();
}

std::optional<Bitmap> Player::DecodeDib(std::span<const uint8_t> dib) const {
  const std::optional<std::vector<uint8_t>> file = AsBmpFile(dib);
  if (!file) return std::nullopt;
  const DecodeResult<Size> size = ReadBmpSize(*file);
  if (!size || (options_.charge && !options_.charge(size->width, size->height))) {
    return std::nullopt;
  }
  DecodeResult<Bitmap> bitmap = DecodeBmp(*file);
  if (!bitmap) return std::nullopt;
  return std::move(*bitmap);
}

void Player::PatBlt(uint32_t rop, const Rect& dest) {
  switch (rop >> 16 & 0xFF) {
    case 0xF0:  // PATCOPY
      if (state_.brush.style != kBrushNull) FillRect(dest, state_.brush.colour);
      break;
    case 0xFF:  // WHITENESS
      FillRect(dest, kWhite);
      break;
    case 0x00:  // BLACKNESS
      FillRect(dest, kBlack);
      break;
    default:
      break;
  }
}

void Player::Blit(uint32_t rop, Rect dest, Rect source_rect, std::span<const uint8_t> dib,
                  bool flip_y) {
  std::optional<Bitmap> source = DecodeDib(dib);
  if (!source) return;
  if (flip_y) {
    // Counted from the bottom row, as the bitmap is stored.
    const int64_t top = int64_t{source->Height()} - source_rect.bottom;
    source_rect = {source_rect.left, int32_t(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX)),
                   source_rect.right,
                   int32_t(std::clamp<int64_t>(top + source_rect.Height(), INT32_MIN, INT32_MAX))};
  }
  Canvas canvas(target_);
  canvas.SetClip(state_.clip);
  switch (rop >> 16 & 0xFF) {
    case 0x88:
      canvas.copy_mode = CopyMode::kSrcAnd;
      break;
    case 0xEE:
      canvas.copy_mode = CopyMode::kSrcPaint;
      break;
    case 0x33:
      canvas.copy_mode = CopyMode::kNotSrcCopy;
      break;
    case 0x66: {
      // SRCINVERT, half of the transparent drawing of old pictures: exclusive or.
      const Rect area = dest.Intersect(state_.clip).Intersect(target_.Bounds());
      if (area.IsEmpty() || (options_.charge && !options_.charge(area.Width(), area.Height()))) {
        return;
      }
      Bitmap stretched(int32_t(area.Width()), int32_t(area.Height()), kBlack);
      Canvas(stretched).CopyRect(dest.Offset(-area.left, -area.top), *source, source_rect);
      for (int32_t y = 0; y < stretched.Height(); ++y) {
        auto from = stretched.Row(y);
        auto to = target_.Row(area.top + y);
        for (int32_t x = 0; x < stretched.Width(); ++x)
          to[size_t(area.left + x)] ^= from[size_t(x)];
      }
      return;
    }
    default:
      break;
  }
  canvas.CopyRect(dest, *source, source_rect);
}

bool Player::Play(uint16_t function, const Params& p) {
  using namespace wmf;
  switch (function) {
    case kEof:
      return false;
    case kSaveDc:
      if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
      break;
    case kRestoreDc:
      RestoreState(p.I16(0));
      break;
    case kSetWindowOrg:
      state_.window_origin = {double(p.I16(1)), double(p.I16(0))};
      break;
    case kOffsetWindowOrg:
      state_.window_origin.x += p.I16(1);
      state_.window_origin.y += p.I16(0);
      break;
    case kSetWindowExt:
      SetExtent(p.I16(1), p.I16(0));
      break;
    case kScaleWindowExt:
      if (p.I16(0) != 0 && p.I16(2) != 0) {
        SetExtent(state_.window_extent.x * p.I16(3) / p.I16(2),
                  state_.window_extent.y * p.I16(1) / p.I16(0));
      }
      break;
    case kSetBkMode:
      state_.background_mode = p.U16(0);
      break;
    case kSetBkColour:
      state_.background = ColourOf(p.U32(0));
      break;
    case kSetTextColour:
      state_.text_colour = ColourOf(p.U32(0));
      break;
    case kSetTextAlign:
      state_.text_align = p.U16(0);
      break;
    case kSetPolyFillMode:
      state_.fill = p.U16(0) == 2 ? FillRule::kNonZero : FillRule::kEvenOdd;
      break;
    case kCreatePen: {
      Object o;
      o.kind = Object::Kind::kPen;
      o.pen = {p.U16(0), double(p.I16(1)), ColourOf(p.U32(3))};
      CreateObject(o);
      break;
    }
    case kCreateBrush: {
      Object o;
      o.kind = Object::Kind::kBrush;
      o.brush = {p.U16(0), ColourOf(p.U32(1))};
      CreateObject(o);
      break;
    }
    case kDibCreatePatternBrush: {
      // A pattern is shown in the colour of its first pixel.
      Object o;
      o.kind = Object::Kind::kBrush;
      o.brush = {0, kBlack};
      if (std::optional<Bitmap> pattern = DecodeDib(p.From(2)); pattern && !pattern->IsEmpty()) {
        o.brush.colour = pattern->At(0, 0);
      }
      CreateObject(o);
      break;
    }
    case kCreateFont: {
      Object o;
      o.kind = Object::Kind::kFont;
      const std::span<const uint8_t> b = p.From(0);
      o.font.height = p.I16(0);
      o.font.weight = p.I16(4);
      if (b.size() >= 18) {
        o.font.italic = b[10] != 0;
        o.font.underline = b[11] != 0;
        o.font.strike = b[12] != 0;
        o.font.charset = b[13];
        for (size_t i = 18; i < b.size() && i < 18 + 32 && b[i] != 0; ++i) {
          o.font.face.push_back(char(b[i]));
        }
      }
      CreateObject(o);
      break;
    }
    case kCreatePalette:
    case kCreatePatternBrush:
    case kCreateRegion:
      CreateObject(Object{.kind = Object::Kind::kOther, .pen = {}, .brush = {}, .font = {}});
      break;
    case kSelectObject:
      SelectObject(p.U16(0));
      break;
    case kDeleteObject:
      if (p.U16(0) < objects_.size()) objects_[p.U16(0)] = {};
      break;
    case kIntersectClipRect:
      state_.clip = state_.clip.Intersect(MapRect(p.I16(3), p.I16(2), p.I16(1), p.I16(0)));
      break;
    case kMoveTo:
      state_.position = {double(p.I16(1)), double(p.I16(0))};
      break;
    case kLineTo: {
      const PointF to{double(p.I16(1)), double(p.I16(0))};
      if (state_.pen.style != kPenNull) {
        Line(Map(state_.position.x, state_.position.y), Map(to.x, to.y));
      }
      state_.position = to;
      break;
    }
    case kRectangle:
    case kRoundRect: {
      const size_t at = function == kRoundRect ? 2 : 0;
      const Rect r = MapRect(p.I16(at + 3), p.I16(at + 2), p.I16(at + 1), p.I16(at));
      // The outline lies inside the rectangle, its right and bottom edges excluded.
      const auto l = double(r.left), t = double(r.top);
      const auto rr = double(r.right) - 1, bb = double(r.bottom) - 1;
      Fill({{{l, t}, {rr + 1, t}, {rr + 1, bb + 1}, {l, bb + 1}}});
      Outline({{l, t}, {rr, t}, {rr, bb}, {l, bb}}, true);
      break;
    }
    case kEllipse:
      Shape(EllipseRing(p));
      break;
    case kPolygon:
      Shape(Points(p, 1, p.U16(0)));
      break;
    case kPolyline:
      Outline(Points(p, 1, p.U16(0)), false);
      break;
    case kPolyPolygon: {
      const size_t count = p.U16(0);
      std::vector<std::vector<PointF>> rings;
      size_t at = 1 + count;
      for (size_t i = 0; i < count && at < p.Words(); ++i) {
        rings.push_back(Points(p, at, p.U16(1 + i)));
        at += 2 * size_t(p.U16(1 + i));
      }
      Fill(rings);
      for (const auto& ring : rings) Outline(ring, true);
      break;
    }
    case kTextOut: {
      const size_t count = std::min<size_t>(std::max<int16_t>(p.I16(0), 0), p.From(1).size());
      const size_t after = 1 + (count + 1) / 2;
      const std::span<const uint8_t> s = p.From(1).first(count);
      Text(p.I16(after + 1), p.I16(after), {reinterpret_cast<const char*>(s.data()), s.size()},
           std::nullopt);
      break;
    }
    case kExtTextOut: {
      const auto count = size_t(std::max<int16_t>(p.I16(2), 0));
      const uint16_t options = p.U16(3);
      size_t at = 4;
      std::optional<Rect> opaque;
      if (options & (kTextOpaque | kTextClipped)) {
        if (options & kTextOpaque) opaque = MapRect(p.I16(4), p.I16(5), p.I16(6), p.I16(7));
        at += 4;
      }
      const std::span<const uint8_t> rest = p.From(at);
      const std::span<const uint8_t> s = rest.first(std::min(count, rest.size()));
      Text(p.I16(1), p.I16(0), {reinterpret_cast<const char*>(s.data()), s.size()}, opaque);
      break;
    }
    case kPatBlt:
      PatBlt(p.U32(0), Area(p, {5, 4, 3, 2}));
      break;
    case kStretchDib:
      BitmapRecord(p, {10, 9, 8, 7}, {6, 5, 4, 3}, 11, p.U32(0), true);
      break;
    case kDibStretchBlt:
      // Without a bitmap (and with a reserved word) the record only paints with the brush.
      if (p.Words() <= 11) {
        PatBlt(p.U32(0), Area(p, {10, 9, 8, 7}));
      } else {
        BitmapRecord(p, {9, 8, 7, 6}, {5, 4, 3, 2}, 10, p.U32(0), false);
      }
      break;
    case kDibBitBlt:
      if (p.Words() <= 9) {
        PatBlt(p.U32(0), Area(p, {8, 7, 6, 5}));
      } else {
        BitmapRecord(p, {7, 6, 5, 4}, {3, 2, 5, 4}, 8, p.U32(0), false);
      }
      break;
    case kSetDibToDev:
      BitmapRecord(p, {8, 7, 6, 5}, {4, 3, 6, 5}, 9, kSrcCopy, true);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace

std::optional<Bitmap> PlayWindowsMetafile(std::span<const uint8_t> bytes,
                                          const MetafileOptions& options) {
  size_t at = 0;
  if (bytes.size() >= kPlaceableBytes && ReadU32Le(bytes, 0) == kPlaceableKey) {
    at = kPlaceableBytes;
  }
  if (bytes.size() < at + kHeaderBytes) return std::nullopt;
  const std::span<const uint8_t> header = bytes.subspan(at, kHeaderBytes);
  const uint16_t type = ReadU16Le(header, 0);
  const uint16_t header_words = ReadU16Le(header, 2);
  if ((type != 1 && type != 2) || header_words != kHeaderBytes / 2) return std::nullopt;
  const Size size = options.size;
  if (size.width <= 0 || size.height <= 0 || !FitsBitmap(size.width, size.height) ||
      (options.charge && !options.charge(size.width, size.height))) {
    return std::nullopt;
  }
  Bitmap picture(size.width, size.height, kWhite);
  Player player(picture, options, ReadU16Le(header, 10));
  at += kHeaderBytes;
  while (at + 6 <= bytes.size()) {
    const uint64_t record_bytes = uint64_t{ReadU32Le(bytes, at)} * 2;
    const uint16_t function = ReadU16Le(bytes, at + 4);
    // A record shorter than its own head, or running past the data, ends the picture.
    if (record_bytes < 6 || record_bytes > bytes.size() - at) break;
    const Params params(bytes.subspan(at + 6, size_t(record_bytes) - 6));
    if (!player.Play(function, params)) break;
    at += size_t(record_bytes);
  }
  return picture;
}

}  // namespace velmorant::platform
