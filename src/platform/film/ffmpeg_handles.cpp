#include "platform/film/ffmpeg_handles.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/fs/regular_file.hpp"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
}

namespace velmorant::platform::ffmpeg {

namespace {

constexpr int kReadBufferBytes = 64 * 1024;

// What FFmpeg reads through: a file we opened and checked, at FFmpeg's read position.
struct FileReader {
  RegularFile file;
  uint64_t at = 0;
};

int ReadPacket(void* opaque, uint8_t* buffer, int size) {
  auto& reader = *static_cast<FileReader*>(opaque);
  if (size <= 0) return 0;
  const int64_t got = reader.file.ReadAt(reader.at, buffer, size_t(size));
  if (got < 0) return AVERROR(EIO);
  if (got == 0) return AVERROR_EOF;
  reader.at += uint64_t(got);
  return int(got);
}

int64_t Seek(void* opaque, int64_t offset, int whence) {
  auto& reader = *static_cast<FileReader*>(opaque);
  const auto size = int64_t(reader.file.Size());
  whence &= ~AVSEEK_FORCE;
  if (whence == AVSEEK_SIZE) return size;
  int64_t base = 0;
  if (whence == SEEK_CUR) {
    base = int64_t(reader.at);
  } else if (whence == SEEK_END) {
    base = size;
  } else if (whence != SEEK_SET) {
    return AVERROR(EINVAL);
  }
  if (offset < -base || offset > INT64_MAX - base) return AVERROR(EINVAL);
  reader.at = uint64_t(base + offset);
  return base + offset;
}

// Demuxers that name other files (playlists, references, image sequences) get none of them.
int RefuseOtherFiles(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
  return AVERROR(EPERM);
}

struct ReaderFreer {
  void operator()(AVIOContext* io) const {
    std::unique_ptr<FileReader> reader(static_cast<FileReader*>(io->opaque));
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
};
using Reader = std::unique_ptr<AVIOContext, ReaderFreer>;

Reader MakeReader(RegularFile file) {
  auto* buffer = static_cast<unsigned char*>(av_malloc(kReadBufferBytes));
  if (!buffer) return nullptr;
  auto state = std::make_unique<FileReader>(FileReader{std::move(file), 0});
  AVIOContext* io =
      avio_alloc_context(buffer, kReadBufferBytes, 0, state.get(), &ReadPacket, nullptr, &Seek);
  if (!io) {
    av_free(buffer);
    return nullptr;
  }
  state.release();  // the context's opaque; ReaderFreer takes it back
  return Reader(io);
}

// MPEG audio through the integer decoders: the float ones round differently with and without
// SIMD, and every backend must give the same samples.
const AVCodec* FindDecoder(AVCodecID id) {
  const char* exact = id == AV_CODEC_ID_MP3   ? "mp3"
                      : id == AV_CODEC_ID_MP2 ? "mp2"
                      : id == AV_CODEC_ID_MP1 ? "mp1"
                                              : nullptr;
  const AVCodec* codec = exact ? avcodec_find_decoder_by_name(exact) : nullptr;
  return codec ? codec : avcodec_find_decoder(id);
}

}  // namespace

void FormatCloser::operator()(AVFormatContext* f) const {
  AVIOContext* own = f && (f->flags & AVFMT_FLAG_CUSTOM_IO) ? f->pb : nullptr;
  avformat_close_input(&f);
  if (own) ReaderFreer()(own);
}

Format OpenFile(const std::string& path, const AVInputFormat* as, const char* formats,
                std::string* error) {
  auto fail = [&](std::string why) -> Format {
    if (error) *error = std::move(why);
    return {};
  };
  av_log_set_level(AV_LOG_QUIET);
  if (path.empty()) return fail("no file named");
  std::string why;
  auto file = RegularFile::Open(path, UINT64_MAX, &why);
  if (!file) return fail(why);
  Reader reader = MakeReader(std::move(*file));
  AVFormatContext* raw = reader ? avformat_alloc_context() : nullptr;
  if (!raw) return fail("out of memory");
  raw->pb = reader.get();
  raw->flags |= AVFMT_FLAG_CUSTOM_IO;
  raw->io_open = &RefuseOtherFiles;
  AVDictionary* options = nullptr;
  av_dict_set(&options, "format_whitelist", formats, 0);
  // On failure FFmpeg frees the context but leaves our reader to us.
  const int opened = avformat_open_input(&raw, "", as, &options);
  av_dict_free(&options);
  if (opened < 0) return fail("not a file of a known kind");
  reader.release();  // the format's closer frees it
  Format format(raw);
  if (avformat_find_stream_info(format.get(), nullptr) < 0)
    return fail("its streams cannot be read");
  return format;
}

Format OpenInput(const std::string& path, std::string* error) {
  return OpenFile(path, nullptr, kFilmContainers, error);
}

Codec OpenDecoder(const AVFormatContext& format, int index) {
  if (index < 0 || unsigned(index) >= format.nb_streams) return {};
  const AVCodecParameters* par = format.streams[index]->codecpar;
  const AVCodec* codec = FindDecoder(par->codec_id);
  if (!codec) return {};
  Codec ctx(avcodec_alloc_context3(codec));
  if (!ctx || avcodec_parameters_to_context(ctx.get(), par) < 0) return {};
  ctx->pkt_timebase = format.streams[index]->time_base;
  // One thread: pictures come in order and the cost stays on the thread that decodes.
  ctx->thread_count = 1;
  if (avcodec_open2(ctx.get(), codec, nullptr) < 0) return {};
  return ctx;
}

int64_t ToMs(int64_t ts, AVRational time_base) {
  return av_rescale_q(ts, time_base, AVRational{1, 1000});
}

Resampler OpenResampler(const AVCodecContext& decoder, const SoundFormat& format) {
  // The converter's filter grows with the ratio of the rates: a header claiming hundreds of
  // megahertz would have it build gigabytes of coefficients for a few samples.
  if (decoder.sample_rate <= 0 || decoder.sample_rate > kMaxSampleRate ||
      decoder.ch_layout.nb_channels <= 0 || format.rate <= 0 || format.channels <= 0) {
    return {};
  }
  AVChannelLayout in{};
  if (decoder.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC ||
      !av_channel_layout_check(&decoder.ch_layout)) {
    av_channel_layout_default(&in, decoder.ch_layout.nb_channels);
  } else {
    av_channel_layout_copy(&in, &decoder.ch_layout);
  }
  AVChannelLayout out{};
  av_channel_layout_default(&out, format.channels);
  SwrContext* raw = nullptr;
  const int made = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, format.rate, &in,
                                       decoder.sample_fmt, decoder.sample_rate, 0, nullptr);
  Resampler resampler(raw);
  // A mono sound plays at its full level on both sides, as the desktop's sound service plays it,
  // not 3 dB down as the converter would pan it by default.
  if (made >= 0 && resampler && in.nb_channels == 1) {
    const std::vector<double> each_side(size_t(format.channels), 1.0);
    swr_set_matrix(resampler.get(), each_side.data(), 1);
  }
  // Deeper samples are converted in 32-bit integers: the converter's float filters, like the float
  // decoders, round differently with and without SIMD.
  if (made >= 0 && resampler && av_get_bytes_per_sample(decoder.sample_fmt) > 2) {
    av_opt_set_sample_fmt(resampler.get(), "internal_sample_fmt", AV_SAMPLE_FMT_S32P, 0);
  }
  av_channel_layout_uninit(&in);
  av_channel_layout_uninit(&out);
  if (made < 0 || !resampler || swr_init(resampler.get()) < 0) return {};
  return resampler;
}

namespace {

int Convert(SwrContext& resampler, const uint8_t** in, int in_frames, int channels,
            std::vector<int16_t>& out, size_t max_samples) {
  const int room = swr_get_out_samples(&resampler, in_frames);
  if (room <= 0) return 0;
  const size_t at = out.size();
  // Judged before the room is made: a low rate converts a small frame into a great many samples.
  if (at > max_samples || size_t(room) > (max_samples - at) / size_t(channels)) return -1;
  out.resize(at + size_t(room) * size_t(channels));
  auto* dst = reinterpret_cast<uint8_t*>(out.data() + at);
  const int got = swr_convert(&resampler, &dst, room, in, in_frames);
  out.resize(at + size_t(std::max(got, 0)) * size_t(channels));
  return std::max(got, 0);
}

}  // namespace

int AppendSamples(SwrContext& resampler, const AVFrame& frame, int channels,
                  std::vector<int16_t>& out, size_t max_samples) {
  return Convert(resampler, const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples,
                 channels, out, max_samples);
}

int AppendHeldSamples(SwrContext& resampler, int channels, std::vector<int16_t>& out,
                      size_t max_samples) {
  return Convert(resampler, nullptr, 0, channels, out, max_samples);
}

}  // namespace velmorant::platform::ffmpeg
