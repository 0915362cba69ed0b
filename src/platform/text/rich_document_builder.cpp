#include "platform/text/rich_document_builder.hpp"

#include <functional>

namespace velmorant::platform {

namespace {

size_t Mix(size_t seed, size_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

}  // namespace

size_t RichDocumentBuilder::CharStyleHash::operator()(const CharStyle& s) const {
  size_t h = Mix(s.font, size_t(s.half_points));
  h = Mix(
      h, size_t(s.bold) | size_t(s.italic) << 1 | size_t(s.underline) << 2 | size_t(s.strike) << 3);
  return Mix(h, s.colour);
}

size_t RichDocumentBuilder::ParagraphStyleHash::operator()(const ParagraphStyle& s) const {
  size_t h = Mix(size_t(s.alignment), size_t(s.left_indent));
  for (int32_t v : {s.right_indent, s.first_indent, s.space_before, s.space_after}) {
    h = Mix(h, size_t(v));
  }
  for (int32_t stop : s.tab_stops) h = Mix(h, size_t(stop));
  return h;
}

uint16_t RichDocumentBuilder::AddFont(RichFont font) {
  doc_.fonts.push_back(std::move(font));
  return uint16_t(doc_.fonts.size() - 1);
}

uint32_t RichDocumentBuilder::CharStyleIndex(const CharStyle& style) {
  const auto [it, added] = char_index_.try_emplace(style, uint32_t(doc_.char_styles.size()));
  if (added) doc_.char_styles.push_back(style);
  return it->second;
}

void RichDocumentBuilder::Append(std::u32string_view text, const CharStyle& style) {
  if (text.empty()) return;
  const uint32_t index = CharStyleIndex(style);
  if (doc_.char_runs.empty() || doc_.char_runs.back().style != index) {
    doc_.char_runs.push_back({uint32_t(doc_.text.size()), index});
  }
  doc_.text.append(text);
}

void RichDocumentBuilder::AddParagraph(const ParagraphStyle& paragraph) {
  const auto [it, added] =
      paragraph_index_.try_emplace(paragraph, uint32_t(doc_.paragraph_styles.size()));
  if (added) doc_.paragraph_styles.push_back(paragraph);
  doc_.paragraphs.push_back({paragraph_start_, it->second});
}

void RichDocumentBuilder::EndParagraph(const CharStyle& style, const ParagraphStyle& paragraph) {
  Append(kParagraphMark, style);
  AddParagraph(paragraph);
  paragraph_start_ = uint32_t(doc_.text.size());
}

void RichDocumentBuilder::AddPicture(std::shared_ptr<const Bitmap> picture,
                                     const CharStyle& style) {
  doc_.pictures.push_back({uint32_t(doc_.text.size()), std::move(picture)});
  Append(kObjectMark, style);
}

RichDocument RichDocumentBuilder::Finish(const ParagraphStyle& last) {
  if (paragraph_start_ < doc_.text.size()) AddParagraph(last);
  if (doc_.fonts.empty()) doc_.fonts.push_back({"Times New Roman", 0});
  return std::move(doc_);
}

RichDocument PlainTextDocument(std::u32string_view text, const RichFont& font,
                               int32_t half_points) {
  RichDocumentBuilder builder;
  CharStyle style;
  style.font = builder.AddFont(font);
  style.half_points = half_points;
  const ParagraphStyle paragraph;
  size_t i = 0;
  while (i < text.size()) {
    const size_t end = text.find_first_of(U"\r\n", i);
    const size_t stop = end == std::u32string_view::npos ? text.size() : end;
    builder.Append(text.substr(i, stop - i), style);
    if (stop == text.size()) break;
    builder.EndParagraph(style, paragraph);
    i = stop + (text[stop] == U'\r' && stop + 1 < text.size() && text[stop + 1] == U'\n' ? 2 : 1);
  }
  return builder.Finish(paragraph);
}

}  // namespace velmorant::platform
