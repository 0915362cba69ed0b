#pragma once

#include <cairo.h>

#include <memory>

#include "platform/gfx/bitmap.hpp"
#include "platform/text/font_face.hpp"

namespace velmorant::platform {

struct SurfaceDestroy {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDestroy {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct FontFaceDestroy {
  void operator()(cairo_font_face_t* f) const { cairo_font_face_destroy(f); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDestroy>;
using FontFacePtr = std::unique_ptr<cairo_font_face_t, FontFaceDestroy>;

// A Cairo face for one of the font engine's faces, bold or slanted by hand where it is.
FontFacePtr CairoFaceOf(const FontFace& face);

// An image surface holding a copy of `picture`; nothing when Cairo cannot make one.
SurfacePtr ImageSurfaceOf(const Bitmap& picture);

// Draws `picture` with its top left at (x, y) in user units, one pixel a unit.
void DrawPicture(cairo_t* cr, const Bitmap& picture, double x, double y,
                 cairo_filter_t filter = CAIRO_FILTER_GOOD);

}  // namespace velmorant::platform
