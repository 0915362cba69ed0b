#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/font_engine.hpp"

namespace velmorant::platform {

struct MetafileOptions {
  // The picture made, in pixels: the metafile's window is fitted to it.
  Size size;
  // The window's extent when the metafile sets none (a document's \picw and \pich).
  Size default_extent;
  // Text is drawn only with fonts.
  const FontEngine* fonts = nullptr;
  // Of text in fonts whose character set names no code page.
  int32_t code_page = 1252;
  // Asked before each picture is allocated, the one made and those the metafile holds, with its
  // size; false refuses it (the metafile then makes nothing, or draws without that bitmap).
  std::function<bool(int64_t width, int64_t height)> charge;
};

// Plays a Windows metafile (with or without its placeable header) onto a white picture: the
// records pictures of the period use, that is bitmaps (StretchDIBits, DIBStretchBlt, DIBBitBlt,
// SetDIBitsToDevice), polygons, polylines, lines, rectangles, ellipses, text, fills and the
// window mapping. Other records are passed over. Nothing for data that is not a metafile, or for
// a picture the charge refuses; a damaged metafile draws as far as its records go.
std::optional<Bitmap> PlayWindowsMetafile(std::span<const uint8_t> bytes,
                                          const MetafileOptions& options);

}  // namespace velmorant::platform
