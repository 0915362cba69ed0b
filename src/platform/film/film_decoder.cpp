#include "platform/film/film_decoder.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

int64_t StreamStart(const AVStream& s) {
  return s.start_time == AV_NOPTS_VALUE ? 0 : s.start_time;
}

}  // namespace

std::unique_ptr<FilmDecoder> FilmDecoder::Open(const std::string& path,
                                               std::optional<SoundFormat> sound) {
  std::unique_ptr<FilmDecoder> d(new FilmDecoder());
  d->path_ = path;
  if (!d->OpenStreams(sound)) return nullptr;
  d->duration_ms_ = ScanFilmDurationMs(path, d->video_stream_);
  return d;
}

FilmDecoder::~FilmDecoder() = default;

bool FilmDecoder::OpenStreams(std::optional<SoundFormat> sound) {
  format_ = ffmpeg::OpenInput(path_);
  if (!format_) return false;
  video_stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  video_ = ffmpeg::OpenDecoder(*format_, video_stream_);
  if (!video_ || video_->width <= 0 || video_->height <= 0) return false;
  native_ = {video_->width, video_->height};
  const AVRational rate = format_->streams[video_stream_]->avg_frame_rate;
  if (rate.num > 0 && rate.den > 0) frame_ms_ = std::max<int64_t>(1, 1000LL * rate.den / rate.num);
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!frame_ || !packet_) return false;
  audio_.reset();
  resampler_.reset();
  if (sound && sound->channels > 0 && sound->rate > 0) {
    audio_stream_ =
        av_find_best_stream(format_.get(), AVMEDIA_TYPE_AUDIO, -1, video_stream_, nullptr, 0);
    audio_ = ffmpeg::OpenDecoder(*format_, audio_stream_);
    if (audio_) {
      sound_format_ = *sound;
      resampler_ = ffmpeg::OpenResampler(*audio_, *sound);
      // A film whose sound cannot be converted plays silent.
      if (!resampler_) audio_.reset();
    }
  }
  draining_ = video_done_ = audio_done_ = false;
  next_picture_ms_ = next_sound_ms_ = 0;
  return true;
}

int64_t FilmDecoder::TimeOf(const AVFrame& frame, int stream, int64_t fallback) const {
  const int64_t ts = frame.best_effort_timestamp;
  if (ts == AV_NOPTS_VALUE) return fallback;
  const AVStream& s = *format_->streams[stream];
  return ffmpeg::ToMs(ts - StreamStart(s), s.time_base);
}

FilmPicture FilmDecoder::Convert(const AVFrame& frame) {
  FilmPicture out;
  out.start_ms = TimeOf(frame, video_stream_, next_picture_ms_);
  next_picture_ms_ = out.start_ms + frame_ms_;
  if (size_.width <= 0 || size_.height <= 0 || !FitsBitmap(size_.width, size_.height) ||
      frame.width <= 0 || frame.height <= 0) {
    return out;
  }
  // Exact arithmetic: the converter's SIMD and plain C paths then give the same pixels, so a
  // film looks the same on every machine and in the browser.
  scaler_.reset(sws_getCachedContext(scaler_.release(), frame.width, frame.height,
                                     AVPixelFormat(frame.format), size_.width, size_.height,
                                     AV_PIX_FMT_BGR0, SWS_POINT | SWS_BITEXACT | SWS_ACCURATE_RND,
                                     nullptr, nullptr, nullptr));
  if (!scaler_) return out;
  Bitmap picture(size_.width, size_.height);
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(picture.Data()), nullptr, nullptr, nullptr};
  const int strides[4] = {picture.Pitch() * 4, 0, 0, 0};
  sws_scale(scaler_.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
  // The converter fills the spare byte; the player's pixels keep it clear.
  Pixel* p = picture.Data();
  const size_t n = size_t(picture.Width()) * size_t(picture.Height());
  for (size_t i = 0; i < n; ++i) p[i] &= 0x00FFFFFFu;
  out.picture = std::move(picture);
  return out;
}

std::optional<FilmSamples> FilmDecoder::ConvertSound(const AVFrame& frame) {
  FilmSamples out;
  out.start_ms = TimeOf(frame, audio_stream_, next_sound_ms_);
  const size_t most =
      size_t(kMaxSoundBlockSeconds) * size_t(sound_format_.rate) * size_t(sound_format_.channels);
  const int got =
      ffmpeg::AppendSamples(*resampler_, frame, sound_format_.channels, out.samples, most);
  if (got < 0) return std::nullopt;
  next_sound_ms_ = out.start_ms + int64_t(got) * 1000 / sound_format_.rate;
  return out;
}

std::optional<FilmDecoder::Item> FilmDecoder::Receive(AVCodecContext* codec, bool is_video) {
  const int r = avcodec_receive_frame(codec, frame_.get());
  if (r == 0) {
    std::optional<Item> item;
    if (is_video) {
      item = Convert(*frame_);
    } else if (auto sound = ConvertSound(*frame_)) {
      item = std::move(*sound);
    } else {
      // A block of sound that would convert into more than a film's sound can be (a rate of a
      // few hertz): the film plays on without it.
      audio_done_ = true;
    }
    av_frame_unref(frame_.get());
    return item;
  }
  // Once the decoders are flushed every answer but a frame means this one is done.
  if (r == AVERROR_EOF || draining_) {
    (is_video ? video_done_ : audio_done_) = true;
  }
  return std::nullopt;
}

std::optional<FilmDecoder::Item> FilmDecoder::Next() {
  if (!format_) return std::nullopt;
  for (;;) {
    if (!video_done_) {
      if (auto item = Receive(video_.get(), true)) return item;
    }
    if (audio_ && !audio_done_) {
      if (auto item = Receive(audio_.get(), false)) return item;
    }
    if (draining_) {
      if (video_done_ && (!audio_ || audio_done_)) return std::nullopt;
      continue;
    }
    if (av_read_frame(format_.get(), packet_.get()) < 0) {
      draining_ = true;
      avcodec_send_packet(video_.get(), nullptr);
      if (audio_) avcodec_send_packet(audio_.get(), nullptr);
      continue;
    }
    // A packet the decoder refuses is skipped: the film goes on with the next one.
    if (packet_->stream_index == video_stream_) {
      avcodec_send_packet(video_.get(), packet_.get());
    } else if (audio_ && !audio_done_ && packet_->stream_index == audio_stream_) {
      avcodec_send_packet(audio_.get(), packet_.get());
    }
    av_packet_unref(packet_.get());
  }
}

bool FilmDecoder::Rewind() {
  const AVStream& s = *format_->streams[video_stream_];
  if (av_seek_frame(format_.get(), video_stream_, StreamStart(s), AVSEEK_FLAG_BACKWARD) >= 0) {
    avcodec_flush_buffers(video_.get());
    if (audio_) avcodec_flush_buffers(audio_.get());
    if (resampler_) swr_init(resampler_.get());
    draining_ = video_done_ = audio_done_ = false;
    next_picture_ms_ = next_sound_ms_ = 0;
    return true;
  }
  // Files that cannot seek are read again from the start.
  std::optional<SoundFormat> sound;
  if (audio_) sound = sound_format_;
  return OpenStreams(sound);
}

}  // namespace velmorant::platform
