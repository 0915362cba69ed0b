// Writes small AVI films with FFmpeg's own encoders, for tests, fixtures and benchmarks: every
// picture comes from a callback, so no film needs to be committed.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdint>
#include <filesystem>
#include <memory>

namespace velmorant::fixtures {

enum class FilmCodec { kRaw, kMjpeg, kMpeg4 };

// `pixel_at(frame, x, y)` gives 0xRRGGBB. A raw film decodes to exactly these colours. False when
// the film cannot be written.
template <class PixelAt>
bool WriteAvi(const std::filesystem::path& path, int width, int height, int fps, int frames,
              FilmCodec codec, PixelAt pixel_at) {
  AVFormatContext* raw_out = nullptr;
  if (avformat_alloc_output_context2(&raw_out, nullptr, "avi", path.c_str()) < 0) return false;
  std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> out(raw_out, [](AVFormatContext* f) {
    if (f->pb) avio_closep(&f->pb);
    avformat_free_context(f);
  });
  const AVCodecID id = codec == FilmCodec::kRaw     ? AV_CODEC_ID_RAWVIDEO
                       : codec == FilmCodec::kMjpeg ? AV_CODEC_ID_MJPEG
                                                    : AV_CODEC_ID_MPEG4;
  const AVCodec* encoder = avcodec_find_encoder(id);
  if (!encoder) return false;
  AVStream* stream = avformat_new_stream(out.get(), nullptr);
  std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> ctx(
      avcodec_alloc_context3(encoder), [](AVCodecContext* c) { avcodec_free_context(&c); });
  if (!stream || !ctx) return false;
  ctx->width = width;
  ctx->height = height;
  ctx->time_base = {1, fps};
  ctx->framerate = {fps, 1};
  ctx->pix_fmt = codec == FilmCodec::kRaw     ? AV_PIX_FMT_BGR24
                 : codec == FilmCodec::kMjpeg ? AV_PIX_FMT_YUVJ420P
                                              : AV_PIX_FMT_YUV420P;
  ctx->gop_size = 12;
  ctx->bit_rate = int64_t(width) * height * fps / 4;
  if (out->oformat->flags & AVFMT_GLOBALHEADER) ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(ctx.get(), encoder, nullptr) < 0) return false;
  if (avcodec_parameters_from_context(stream->codecpar, ctx.get()) < 0) return false;
  stream->time_base = ctx->time_base;
  if (avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
  if (avformat_write_header(out.get(), nullptr) < 0) return false;

  using FramePtr = std::unique_ptr<AVFrame, void (*)(AVFrame*)>;
  auto free_frame = [](AVFrame* f) { av_frame_free(&f); };
  FramePtr rgb(av_frame_alloc(), free_frame);
  FramePtr coded(av_frame_alloc(), free_frame);
  std::unique_ptr<AVPacket, void (*)(AVPacket*)> packet(av_packet_alloc(),
                                                        [](AVPacket* p) { av_packet_free(&p); });
  rgb->format = AV_PIX_FMT_BGR24;
  rgb->width = width;
  rgb->height = height;
  coded->format = ctx->pix_fmt;
  coded->width = width;
  coded->height = height;
  if (av_frame_get_buffer(rgb.get(), 0) < 0 || av_frame_get_buffer(coded.get(), 0) < 0) {
    return false;
  }
  std::unique_ptr<SwsContext, void (*)(SwsContext*)> sws(
      sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, ctx->pix_fmt, SWS_POINT,
                     nullptr, nullptr, nullptr),
      sws_freeContext);
  auto write_packets = [&] {
    while (avcodec_receive_packet(ctx.get(), packet.get()) == 0) {
      av_packet_rescale_ts(packet.get(), ctx->time_base, stream->time_base);
      packet->stream_index = stream->index;
      if (av_interleaved_write_frame(out.get(), packet.get()) < 0) return false;
    }
    return true;
  };
  for (int i = 0; i < frames; ++i) {
    if (av_frame_make_writable(rgb.get()) < 0 || av_frame_make_writable(coded.get()) < 0) {
      return false;
    }
    for (int y = 0; y < height; ++y) {
      uint8_t* row = rgb->data[0] + ptrdiff_t(y) * rgb->linesize[0];
      for (int x = 0; x < width; ++x) {
        const uint32_t c = pixel_at(i, x, y);
        row[3 * x] = uint8_t(c & 0xFF);
        row[3 * x + 1] = uint8_t((c >> 8) & 0xFF);
        row[3 * x + 2] = uint8_t((c >> 16) & 0xFF);
      }
    }
    AVFrame* send = rgb.get();
    if (ctx->pix_fmt != AV_PIX_FMT_BGR24) {
      sws_scale(sws.get(), rgb->data, rgb->linesize, 0, height, coded->data, coded->linesize);
      send = coded.get();
    }
    send->pts = i;
    if (avcodec_send_frame(ctx.get(), send) < 0 || !write_packets()) return false;
  }
  if (avcodec_send_frame(ctx.get(), nullptr) < 0 || !write_packets()) return false;
  return av_write_trailer(out.get()) >= 0;
}

}  // namespace velmorant::fixtures
