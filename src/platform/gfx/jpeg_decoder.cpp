#include "platform/gfx/jpeg_decoder.hpp"

// clang-format off
#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace velmorant::platform {

namespace {

// Lives on the heap so that nothing on the stack changes between setjmp and a longjmp.
struct Decoding {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  bool created = false;
  std::vector<uint8_t> row;
  Bitmap out;
  ~Decoding() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* d = static_cast<Decoding*>(info->client_data);
  (*info->err->format_message)(info, d->message);
  std::longjmp(d->jump, 1);
}

void Silent(j_common_ptr /*info*/) {}

// libjpeg keeps its working memory below this.
constexpr long kMaxDecoderMemory = 256L << 20;

}  // namespace

DecodeResult<Bitmap> DecodeJpeg(std::span<const uint8_t> file, int64_t max_pixels) {
  if (file.empty()) return DecodeError{"empty JPEG"};
  auto d = std::make_unique<Decoding>();
  d->info.err = jpeg_std_error(&d->errors);
  d->errors.error_exit = ErrorExit;
  d->errors.output_message = Silent;
  d->info.client_data = d.get();
  if (setjmp(d->jump)) return DecodeError{std::string("broken JPEG: ") + d->message};
  jpeg_create_decompress(&d->info);
  d->created = true;
  d->info.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(&d->info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&d->info, TRUE);
  if (d->info.jpeg_color_space == JCS_CMYK || d->info.jpeg_color_space == JCS_YCCK) {
    return DecodeError{"CMYK JPEG pictures are not shown"};
  }
  const uint64_t w = d->info.image_width;
  const uint64_t h = d->info.image_height;
  if (w == 0 || h == 0 || w * h > uint64_t(std::min(max_pixels, kMaxBitmapPixels))) {
    return DecodeError{"JPEG picture too large or empty"};
  }
  d->info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d->info);
  d->out.Resize(int32_t(d->info.output_width), int32_t(d->info.output_height));
  d->row.resize(size_t(d->info.output_width) * 3);
  while (d->info.output_scanline < d->info.output_height) {
    const int32_t y = int32_t(d->info.output_scanline);
    JSAMPROW rows[1] = {d->row.data()};
    if (jpeg_read_scanlines(&d->info, rows, 1) != 1) break;
    const uint8_t* p = d->row.data();
    for (Pixel& px : d->out.Row(y)) {
      px = Pixel(p[0]) << 16 | Pixel(p[1]) << 8 | Pixel(p[2]);
      p += 3;
    }
  }
  jpeg_finish_decompress(&d->info);
  return std::move(d->out);
}

}  // namespace velmorant::platform
