#include <algorithm>

#include "platform/film/film_decoder.hpp"

namespace velmorant::platform {

namespace {

// The latest packet end of `stream` from the read position to the end of the file.
int64_t LatestEnd(AVFormatContext& format, int stream) {
  ffmpeg::Packet packet(av_packet_alloc());
  if (!packet) return 0;
  const AVStream& s = *format.streams[stream];
  const int64_t start = s.start_time == AV_NOPTS_VALUE ? 0 : s.start_time;
  int64_t latest = 0;
  while (av_read_frame(&format, packet.get()) >= 0) {
    if (packet->stream_index == stream) {
      const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
      if (ts != AV_NOPTS_VALUE) {
        const int64_t end = ts - start + std::max<int64_t>(packet->duration, 1);
        latest = std::max(latest, ffmpeg::ToMs(end, s.time_base));
      }
    }
    av_packet_unref(packet.get());
  }
  return latest;
}

}  // namespace

int64_t ScanFilmDurationMs(const std::string& path, int stream) {
  ffmpeg::Format format = ffmpeg::OpenInput(path);
  if (!format || stream < 0 || unsigned(stream) >= format->nb_streams) return 0;
  const AVStream& s = *format->streams[stream];
  // Headers may claim more than the file holds: jump to the last key picture the index knows
  // (from as far as the header claims) and read on from there; without an index, read it all.
  int64_t claimed = s.duration;
  if (format->duration > 0) {
    claimed = std::max(claimed, av_rescale_q(format->duration, AV_TIME_BASE_Q, s.time_base));
  }
  if (claimed > 0 && claimed < (int64_t{1} << 40)) {
    const int64_t target = (s.start_time == AV_NOPTS_VALUE ? 0 : s.start_time) + claimed;
    if (av_seek_frame(format.get(), stream, target, AVSEEK_FLAG_BACKWARD) >= 0) {
      if (const int64_t end = LatestEnd(*format, stream); end > 0) return end;
    }
    format = ffmpeg::OpenInput(path);
    if (!format) return 0;
  }
  return LatestEnd(*format, stream);
}

}  // namespace velmorant::platform
