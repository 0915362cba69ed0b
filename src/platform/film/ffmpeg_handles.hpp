#pragma once

// Owning handles for the FFmpeg objects the film and sound decoders use.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform::ffmpeg {

// Closes the file and, for one opened through OpenFile, the reader under it.
struct FormatCloser {
  void operator()(AVFormatContext* f) const;
};
struct CodecFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFreer {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct ResamplerFreer {
  void operator()(SwrContext* s) const { swr_free(&s); }
};

using Format = std::unique_ptr<AVFormatContext, FormatCloser>;
using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Scaler = std::unique_ptr<SwsContext, ScalerFreer>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFreer>;

// Containers a film may come in: each holds its pictures and sound itself.
inline constexpr const char* kFilmContainers =
    "avi,mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,asf,mpeg,mpegts,flv,ogg";

// Opens one media file as `as` (null: any of `formats`) and reads its stream information; null,
// with `error` saying why in words for a warning, when it cannot be read. The file must be a
// regular file (a pipe or device is refused without blocking) and FFmpeg reads only it, through
// our own reader: it opens no file, address or device by name. FFmpeg's own messages are kept
// quiet: broken files are refused without noise.
Format OpenFile(const std::string& path, const AVInputFormat* as, const char* formats,
                std::string* error = nullptr);
// A film file.
Format OpenInput(const std::string& path, std::string* error = nullptr);
// A decoder for stream `index` of `format`; null when there is none for its codec.
Codec OpenDecoder(const AVFormatContext& format, int index);
// Milliseconds of a timestamp in a stream's time base.
int64_t ToMs(int64_t ts, AVRational time_base);
// The highest sample rate a sound or a film's sound may have.
inline constexpr int kMaxSampleRate = 384000;
// A converter from the decoder's sound to 16-bit interleaved `format`; null when the sound's
// layout cannot be converted or its rate is past kMaxSampleRate.
Resampler OpenResampler(const AVCodecContext& decoder, const SoundFormat& format);
// Appends the converted samples of `frame` to `out`; the number of frames appended, or -1
// (nothing appended) when `out` would grow past `max_samples`.
int AppendSamples(SwrContext& resampler, const AVFrame& frame, int channels,
                  std::vector<int16_t>& out, size_t max_samples);
// The same for the samples the converter still holds at the end of the sound.
int AppendHeldSamples(SwrContext& resampler, int channels, std::vector<int16_t>& out,
                      size_t max_samples);

}  // namespace velmorant::platform::ffmpeg
