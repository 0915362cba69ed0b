#include "platform/record/video_file.hpp"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>

#include "platform/film/ffmpeg_handles.hpp"

namespace velmorant::platform {

namespace {

struct OutputCloser {
  void operator()(AVFormatContext* f) const {
    if (f->pb) avio_closep(&f->pb);
    avformat_free_context(f);
  }
};

constexpr int64_t kSoundBitRate = 160'000;
// H.264 at a constant quality that keeps flat colours and text sharp, at a speed that keeps up
// with a run; MPEG-4 at a fixed fine quantiser.
constexpr const char* kH264Preset = "veryfast";
constexpr const char* kH264Quality = "18";
constexpr int kMpeg4Quantiser = 3;

std::string Describe(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

struct VideoFile::Output {
  std::unique_ptr<AVFormatContext, OutputCloser> format;
  ffmpeg::Codec video;
  ffmpeg::Codec sound;
  AVStream* video_stream = nullptr;
  AVStream* sound_stream = nullptr;
  ffmpeg::Frame picture;
  ffmpeg::Frame samples;
  ffmpeg::Packet packet;
  ffmpeg::Scaler scaler;
  Bitmap staging;  // a picture of another size, put at the file's size
};

VideoFile::VideoFile(Key) : out_(std::make_unique<Output>()) {}
VideoFile::~VideoFile() = default;

const char* VideoFile::PictureCodec() const {
  return out_->video->codec->name;
}

std::unique_ptr<VideoFile> VideoFile::Create(const std::filesystem::path& path,
                                             const VideoFileOptions& options, std::string* error) {
  // What goes wrong is told by the error; the encoders' own chatter stays quiet.
  av_log_set_level(AV_LOG_QUIET);
  auto fail = [&](const std::string& why) -> std::unique_ptr<VideoFile> {
    if (error) *error = why;
    return nullptr;
  };
  if (options.fps <= 0 || options.size.width <= 0 || options.size.height <= 0 ||
      options.sound.rate <= 0 || options.sound.channels <= 0) {
    return fail("nothing to record");
  }
  auto file = std::make_unique<VideoFile>(Key());
  Output& out = *file->out_;
  file->size_ = {(options.size.width + 1) & ~1, (options.size.height + 1) & ~1};
  file->sound_format_ = options.sound;

  AVFormatContext* raw = nullptr;
  if (avformat_alloc_output_context2(&raw, nullptr, "mp4", path.c_str()) < 0 || !raw) {
    return fail("cannot make an MP4 file");
  }
  out.format.reset(raw);
  out.format->flags |= AVFMT_FLAG_BITEXACT;
  const bool global_header = (out.format->oformat->flags & AVFMT_GLOBALHEADER) != 0;

  const AVCodec* video = avcodec_find_encoder_by_name("libx264");
  if (!video) video = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
  const AVCodec* sound = avcodec_find_encoder(AV_CODEC_ID_AAC);
  if (!video || !sound) return fail("FFmpeg has no picture or AAC encoder");
  out.video.reset(avcodec_alloc_context3(video));
  out.sound.reset(avcodec_alloc_context3(sound));
  if (!out.video || !out.sound) return fail("out of memory");

  AVCodecContext& v = *out.video;
  v.width = file->size_.width;
  v.height = file->size_.height;
  v.time_base = {1, options.fps};
  v.framerate = {options.fps, 1};
  v.pix_fmt = AV_PIX_FMT_YUV420P;
  v.gop_size = options.fps * 2;
  v.thread_count = 1;
  v.flags |= AV_CODEC_FLAG_BITEXACT | (global_header ? AV_CODEC_FLAG_GLOBAL_HEADER : 0);
  if (video->id == AV_CODEC_ID_H264) {
    av_opt_set(v.priv_data, "preset", kH264Preset, 0);
    av_opt_set(v.priv_data, "crf", kH264Quality, 0);
  } else {
    v.flags |= AV_CODEC_FLAG_QSCALE;
    v.global_quality = FF_QP2LAMBDA * kMpeg4Quantiser;
  }
  if (int e = avcodec_open2(&v, video, nullptr); e < 0) {
    return fail(std::string("cannot start the picture encoder: ") + Describe(e));
  }

  AVCodecContext& a = *out.sound;
  a.sample_fmt = AV_SAMPLE_FMT_FLTP;
  a.sample_rate = options.sound.rate;
  av_channel_layout_default(&a.ch_layout, options.sound.channels);
  a.bit_rate = kSoundBitRate;
  a.time_base = {1, options.sound.rate};
  a.thread_count = 1;
  a.flags |= AV_CODEC_FLAG_BITEXACT | (global_header ? AV_CODEC_FLAG_GLOBAL_HEADER : 0);
  if (int e = avcodec_open2(&a, sound, nullptr); e < 0) {
    return fail(std::string("cannot start the AAC encoder: ") + Describe(e));
  }

  out.video_stream = avformat_new_stream(out.format.get(), nullptr);
  out.sound_stream = avformat_new_stream(out.format.get(), nullptr);
  if (!out.video_stream || !out.sound_stream ||
      avcodec_parameters_from_context(out.video_stream->codecpar, &v) < 0 ||
      avcodec_parameters_from_context(out.sound_stream->codecpar, &a) < 0) {
    return fail("cannot describe the tracks");
  }
  out.video_stream->time_base = v.time_base;
  out.sound_stream->time_base = a.time_base;

  out.picture.reset(av_frame_alloc());
  out.samples.reset(av_frame_alloc());
  out.packet.reset(av_packet_alloc());
  if (!out.picture || !out.samples || !out.packet) return fail("out of memory");
  out.picture->format = v.pix_fmt;
  out.picture->width = v.width;
  out.picture->height = v.height;
  if (av_frame_get_buffer(out.picture.get(), 0) < 0) return fail("out of memory");
  out.scaler.reset(
      sws_getContext(v.width, v.height, AV_PIX_FMT_BGR0, v.width, v.height, AV_PIX_FMT_YUV420P,
                     SWS_BILINEAR | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr));
  if (!out.scaler) return fail("cannot convert pictures for the encoder");

  // The name is a file's, whatever it looks like: never another protocol.
  const std::string target = "file:" + path.string();
  if (int e = avio_open(&out.format->pb, target.c_str(), AVIO_FLAG_WRITE); e < 0) {
    return fail("cannot write the file: " + Describe(e));
  }
  if (int e = avformat_write_header(out.format.get(), nullptr); e < 0) {
    return fail("cannot write the file: " + Describe(e));
  }
  return file;
}

bool VideoFile::Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame) {
  if (!error_.empty()) return false;
  if (int e = avcodec_send_frame(&codec, frame); e < 0) {
    error_ = "encoding failed: " + Describe(e);
    return false;
  }
  AVPacket& packet = *out_->packet;
  for (;;) {
    const int e = avcodec_receive_packet(&codec, &packet);
    if (e == AVERROR(EAGAIN) || e == AVERROR_EOF) return true;
    if (e < 0) {
      error_ = "encoding failed: " + Describe(e);
      return false;
    }
    // Every picture lasts one frame; without a duration the file's edit list cuts the last one.
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO && packet.duration <= 0) packet.duration = 1;
    av_packet_rescale_ts(&packet, codec.time_base, stream.time_base);
    packet.stream_index = stream.index;
    if (int w = av_interleaved_write_frame(out_->format.get(), &packet); w < 0) {
      error_ = "cannot write the file: " + Describe(w);
      return false;
    }
  }
}

void VideoFile::AddPicture(const Bitmap& picture, int64_t times) {
  if (finished_ || !error_.empty() || times <= 0) return;
  Output& out = *out_;
  const Bitmap* source = &picture;
  if (picture.GetSize() != size_) {
    out.staging.Resize(size_.width, size_.height);
    for (int32_t y = 0; y < std::min(size_.height, picture.Height()); ++y) {
      const auto row = picture.Row(y);
      std::copy_n(row.begin(), std::min(size_.width, picture.Width()), out.staging.Row(y).begin());
    }
    source = &out.staging;
  }
  if (av_frame_make_writable(out.picture.get()) < 0) {
    error_ = "out of memory";
    return;
  }
  const auto* pixels = reinterpret_cast<const uint8_t*>(source->Data());
  const int stride = source->Pitch() * int(sizeof(Pixel));
  sws_scale(out.scaler.get(), &pixels, &stride, 0, size_.height, out.picture->data,
            out.picture->linesize);
  // A repeated picture is converted once; the encoder keeps no hold on the frame it was given
  // that a new timestamp could disturb (it copies what it keeps, or the frame is copied first).
  for (int64_t i = 0; i < times && error_.empty(); ++i) {
    if (i > 0 && av_frame_make_writable(out.picture.get()) < 0) {
      error_ = "out of memory";
      return;
    }
    out.picture->pts = pictures_++;
    Send(*out.video, *out.video_stream, out.picture.get());
  }
}

void VideoFile::SendSoundFrame(int frames) {
  Output& out = *out_;
  AVFrame& f = *out.samples;
  av_frame_unref(&f);
  f.format = out.sound->sample_fmt;
  f.sample_rate = out.sound->sample_rate;
  f.nb_samples = frames;
  if (av_channel_layout_copy(&f.ch_layout, &out.sound->ch_layout) < 0 ||
      av_frame_get_buffer(&f, 0) < 0) {
    error_ = "out of memory";
    return;
  }
  const int channels = sound_format_.channels;
  for (int c = 0; c < channels; ++c) {
    auto* plane = reinterpret_cast<float*>(f.extended_data[c]);
    for (int i = 0; i < frames; ++i) {
      plane[i] = float(pending_sound_[size_t(i) * size_t(channels) + size_t(c)]) / 32768.0f;
    }
  }
  pending_sound_.erase(pending_sound_.begin(),
                       pending_sound_.begin() + ptrdiff_t(frames) * channels);
  f.pts = sound_frames_;
  sound_frames_ += frames;
  Send(*out.sound, *out.sound_stream, &f);
}

void VideoFile::AddSound(std::span<const int16_t> samples) {
  if (finished_ || !error_.empty()) return;
  pending_sound_.insert(pending_sound_.end(), samples.begin(), samples.end());
  const auto channels = size_t(sound_format_.channels);
  const auto block = size_t(std::max(out_->sound->frame_size, 1));
  while (error_.empty() && pending_sound_.size() >= block * channels) SendSoundFrame(int(block));
}

bool VideoFile::Finish(std::string* error) {
  if (!finished_) {
    finished_ = true;
    const auto channels = size_t(sound_format_.channels);
    // The encoder takes whole blocks: the last one is filled with silence.
    if (const size_t rest = pending_sound_.size() / channels; error_.empty() && rest > 0) {
      const auto block = size_t(std::max(out_->sound->frame_size, 1));
      pending_sound_.resize(block * channels, 0);
      SendSoundFrame(int(block));
    }
    Send(*out_->video, *out_->video_stream, nullptr);
    Send(*out_->sound, *out_->sound_stream, nullptr);
    if (error_.empty()) {
      if (int e = av_write_trailer(out_->format.get()); e < 0) {
        error_ = "cannot write the file: " + Describe(e);
      }
    }
    if (out_->format->pb) avio_closep(&out_->format->pb);
  }
  if (error && !error_.empty()) *error = error_;
  return error_.empty();
}

}  // namespace velmorant::platform
