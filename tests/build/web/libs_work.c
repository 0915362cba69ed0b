/* Uses each library of the browser build once, the way the player does: a PNG and a JPEG written
 * and read back through memory, a glyph rendered from a bundled font. Exits non-zero on the first
 * library that misbehaves. */
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>
/* jpeglib.h needs size_t and FILE declared first. */
#include <jpeglib.h>

enum { kSide = 16 };

static int fail(const char* what) {
  fprintf(stderr, "FAIL: %s\n", what);
  return 1;
}

static int check_zlib(void) {
  const char text[] = "the same words, the same words, the same words";
  unsigned char packed[128];
  unsigned char unpacked[sizeof text];
  uLongf packed_size = sizeof packed;
  uLongf unpacked_size = sizeof unpacked;
  if (compress(packed, &packed_size, (const Bytef*)text, sizeof text) != Z_OK)
    return fail("zlib compress");
  if (uncompress(unpacked, &unpacked_size, packed, packed_size) != Z_OK)
    return fail("zlib uncompress");
  if (unpacked_size != sizeof text || memcmp(unpacked, text, sizeof text) != 0)
    return fail("zlib round trip");
  return 0;
}

static int check_png(void) {
  unsigned char pixels[kSide * kSide * 4];
  for (int i = 0; i < kSide * kSide * 4; ++i) pixels[i] = (unsigned char)(i * 7);
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = kSide;
  image.height = kSide;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, NULL, &size, 0, pixels, 0, NULL)) return fail("png size");
  unsigned char* file = malloc(size);
  if (!file || !png_image_write_to_memory(&image, file, &size, 0, pixels, 0, NULL)) {
    free(file);
    return fail("png write");
  }
  png_image back;
  memset(&back, 0, sizeof back);
  back.version = PNG_IMAGE_VERSION;
  unsigned char read[sizeof pixels];
  int ok = png_image_begin_read_from_memory(&back, file, size) && back.width == kSide &&
           back.height == kSide;
  back.format = PNG_FORMAT_RGBA;
  ok = ok && png_image_finish_read(&back, NULL, read, 0, NULL);
  free(file);
  if (!ok) return fail("png read");
  if (memcmp(read, pixels, sizeof pixels) != 0) return fail("png round trip");
  return 0;
}

static int check_jpeg(void) {
  unsigned char gray[kSide * kSide];
  for (int i = 0; i < kSide * kSide; ++i) gray[i] = (unsigned char)(i % kSide * 16);
  struct jpeg_error_mgr errors;
  struct jpeg_compress_struct out;
  out.err = jpeg_std_error(&errors);
  jpeg_create_compress(&out);
  unsigned char* file = NULL;
  unsigned long size = 0;
  jpeg_mem_dest(&out, &file, &size);
  out.image_width = kSide;
  out.image_height = kSide;
  out.input_components = 1;
  out.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&out);
  jpeg_set_quality(&out, 95, TRUE);
  jpeg_start_compress(&out, TRUE);
  while (out.next_scanline < out.image_height) {
    JSAMPROW row = &gray[out.next_scanline * kSide];
    jpeg_write_scanlines(&out, &row, 1);
  }
  jpeg_finish_compress(&out);
  jpeg_destroy_compress(&out);

  struct jpeg_decompress_struct in;
  in.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&in);
  jpeg_mem_src(&in, file, size);
  jpeg_read_header(&in, TRUE);
  jpeg_start_decompress(&in);
  int ok = in.output_width == kSide && in.output_height == kSide && in.output_components == 1;
  unsigned char read[kSide * kSide];
  while (ok && in.output_scanline < in.output_height) {
    JSAMPROW row = &read[in.output_scanline * kSide];
    jpeg_read_scanlines(&in, &row, 1);
  }
  jpeg_finish_decompress(&in);
  jpeg_destroy_decompress(&in);
  free(file);
  if (!ok) return fail("jpeg size");
  /* Lossy, but at this quality every sample stays close. */
  for (int i = 0; i < kSide * kSide; ++i) {
    if (abs(read[i] - gray[i]) > 8) return fail("jpeg round trip");
  }
  return 0;
}

static int check_freetype(const char* font) {
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library)) return fail("freetype init");
  int ok = FT_New_Face(library, font, 0, &face) == 0;
  ok = ok && FT_Set_Pixel_Sizes(face, 0, 32) == 0 && FT_Load_Char(face, 'A', FT_LOAD_RENDER) == 0;
  int inked = 0;
  if (ok) {
    const FT_Bitmap* bitmap = &face->glyph->bitmap;
    for (unsigned row = 0; row < bitmap->rows; ++row) {
      for (unsigned column = 0; column < bitmap->width; ++column) {
        inked += bitmap->buffer[row * bitmap->pitch + column] > 128;
      }
    }
  }
  FT_Done_FreeType(library);
  if (!ok) return fail("freetype glyph");
  if (inked < 20) return fail("freetype rendered nothing");
  return 0;
}

int main(void) {
  if (check_zlib() || check_png() || check_jpeg() || check_freetype("/font.ttf")) return 1;
  printf("ok: zlib %s, libpng %s, libjpeg %d, FreeType %d.%d.%d\n", zlibVersion(),
         png_get_libpng_ver(NULL), JPEG_LIB_VERSION, FREETYPE_MAJOR, FREETYPE_MINOR,
         FREETYPE_PATCH);
  return 0;
}
