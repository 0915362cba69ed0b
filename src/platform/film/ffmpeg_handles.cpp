#include "platform/film/ffmpeg_handles.hpp"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
}

namespace velmorant::platform::ffmpeg {

Format OpenFile(const std::string& path, const AVInputFormat* as, const char* formats) {
  av_log_set_level(AV_LOG_QUIET);
  if (path.empty()) return {};
  // Only the file itself is read: no playlists, references or other protocols that would reach
  // other files or the network, and the name is taken literally.
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  av_dict_set(&options, "format_whitelist", formats, 0);
  AVFormatContext* raw = nullptr;
  const int opened = avformat_open_input(&raw, ("file:" + path).c_str(), as, &options);
  av_dict_free(&options);
  if (opened < 0) return {};
  Format format(raw);
  if (avformat_find_stream_info(format.get(), nullptr) < 0) return {};
  return format;
}

Format OpenInput(const std::string& path) {
  return OpenFile(path, nullptr, kFilmContainers);
}

Codec OpenDecoder(const AVFormatContext& format, int index) {
  if (index < 0 || unsigned(index) >= format.nb_streams) return {};
  const AVCodecParameters* par = format.streams[index]->codecpar;
  const AVCodec* codec = avcodec_find_decoder(par->codec_id);
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
  if (decoder.sample_rate <= 0 || decoder.ch_layout.nb_channels <= 0 || format.rate <= 0 ||
      format.channels <= 0) {
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
  av_channel_layout_uninit(&in);
  av_channel_layout_uninit(&out);
  if (made < 0 || !resampler || swr_init(resampler.get()) < 0) return {};
  return resampler;
}

int AppendSamples(SwrContext& resampler, const AVFrame& frame, int channels,
                  std::vector<int16_t>& out) {
  const int room = swr_get_out_samples(&resampler, frame.nb_samples);
  if (room <= 0) return 0;
  const size_t at = out.size();
  out.resize(at + size_t(room) * size_t(channels));
  auto* dst = reinterpret_cast<uint8_t*>(out.data() + at);
  const int got = swr_convert(&resampler, &dst, room,
                              const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples);
  out.resize(at + size_t(std::max(got, 0)) * size_t(channels));
  return std::max(got, 0);
}

}  // namespace velmorant::platform::ffmpeg
