#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <unordered_map>

#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

// Puts a RichDocument together character by character, sharing equal styles.
class RichDocumentBuilder {
 public:
  uint16_t AddFont(RichFont font);
  size_t FontCount() const { return doc_.fonts.size(); }
  size_t Length() const { return doc_.text.size(); }

  void Append(std::u32string_view text, const CharStyle& style);
  void Append(char32_t c, const CharStyle& style) { Append(std::u32string_view(&c, 1), style); }
  // Ends the paragraph with its mark, in `style`; `paragraph` is its look.
  void EndParagraph(const CharStyle& style, const ParagraphStyle& paragraph);
  void AddPicture(std::shared_ptr<const Bitmap> picture, const CharStyle& style);

  // The document; `last` is the look of a paragraph left open. The builder is used up.
  RichDocument Finish(const ParagraphStyle& last);

 private:
  struct CharStyleHash {
    size_t operator()(const CharStyle& s) const;
  };
  struct ParagraphStyleHash {
    size_t operator()(const ParagraphStyle& s) const;
  };

  uint32_t CharStyleIndex(const CharStyle& style);
  void AddParagraph(const ParagraphStyle& paragraph);

  RichDocument doc_;
  std::unordered_map<CharStyle, uint32_t, CharStyleHash> char_index_;
  std::unordered_map<ParagraphStyle, uint32_t, ParagraphStyleHash> paragraph_index_;
  uint32_t paragraph_start_ = 0;
};

// A file that is not RTF, shown as a rich-text control shows plain text: CR, LF and CRLF end
// paragraphs, everything in `font` at `half_points`.
RichDocument PlainTextDocument(std::u32string_view text, const RichFont& font,
                               int32_t half_points = 20);

}  // namespace velmorant::platform
