#pragma once

#include <cstdint>
#include <span>

#include "platform/gfx/decode_result.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

struct RtfOptions {
  // Bytes of a document that names no code page (\ansicpg) and of fonts without a charset.
  int32_t default_code_page = 1252;
  // Where the text of pictures stored as metafiles is drawn from; without fonts it is left out.
  const FontEngine* fonts = nullptr;
  // What the document's pictures are charged to, each before it is decoded and again before it
  // is scaled; without one only the document's own bounds hold.
  MemoryBudget* memory = nullptr;
};

// Nesting deeper than this is read as if the deeper groups were not there.
inline constexpr int32_t kMaxRtfDepth = 256;
// Pictures beyond this many are left out.
inline constexpr size_t kMaxRtfPictures = 256;

// Reads an RTF document: groups, control words and symbols, the font and colour tables,
// \ansicpg and per-font \fcharset, \'hh, \uN with \ucN, character and paragraph formatting,
// \par, \line, \tab, table cells as tabs and rows as paragraphs, PNG, JPEG and DIB pictures.
// Destinations it does not know are skipped. Data that does not begin with "{\rtf" is refused;
// anything after the document's last brace, and a document cut short, are read as far as they go.
DecodeResult<RichDocument> ReadRtf(std::span<const uint8_t> data, const RtfOptions& options = {});

}  // namespace velmorant::platform
