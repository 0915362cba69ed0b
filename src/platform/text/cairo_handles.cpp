#include "platform/text/cairo_handles.hpp"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace velmorant::platform {

FontFacePtr CairoFaceOf(const FontFace& face) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(face.File().c_str()));
  FcPatternAddInteger(pattern, FC_INDEX, face.FaceIndex());
  FontFacePtr made(cairo_ft_font_face_create_for_pattern(pattern));
  FcPatternDestroy(pattern);
  unsigned int synthesize = 0;
  if (face.SyntheticBold()) synthesize |= CAIRO_FT_SYNTHESIZE_BOLD;
  if (face.SyntheticItalic()) synthesize |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
  if (synthesize) cairo_ft_font_face_set_synthesize(made.get(), synthesize);
  return made;
}

SurfacePtr ImageSurfaceOf(const Bitmap& picture) {
  SurfacePtr image(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.Width(), picture.Height()));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  const int stride = cairo_image_surface_get_stride(image.get());
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  for (int32_t row = 0; row < picture.Height(); ++row) {
    const auto from = picture.Row(row);
    std::copy(from.begin(), from.end(), reinterpret_cast<uint32_t*>(data + size_t(row) * stride));
  }
  cairo_surface_mark_dirty(image.get());
  return image;
}

void DrawPicture(cairo_t* cr, const Bitmap& picture, double x, double y, cairo_filter_t filter) {
  const SurfacePtr image = ImageSurfaceOf(picture);
  if (!image) return;
  cairo_save(cr);
  cairo_set_source_surface(cr, image.get(), x, y);
  cairo_pattern_set_filter(cairo_get_source(cr), filter);
  cairo_rectangle(cr, x, y, picture.Width(), picture.Height());
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace velmorant::platform
