#include "platform/audio/wave_file.hpp"

#include <algorithm>

#include "platform/film/ffmpeg_handles.hpp"

namespace velmorant::platform {

namespace {

constexpr size_t kSampleBytes = sizeof(int16_t);

// Frames of input the file can hold at most, judged from its size where the codec has a fixed
// number of bits a sample; -1 where it has not.
int64_t FramesTheFileCanHold(const AVFormatContext& input, const AVCodecParameters& par) {
  const int bits = av_get_bits_per_sample(par.codec_id);
  const int64_t size = input.pb ? avio_size(input.pb) : -1;
  if (bits <= 0 || size < 0 || par.ch_layout.nb_channels <= 0) return -1;
  return size * 8 / (int64_t(bits) * par.ch_layout.nb_channels);
}

// Frames the sound becomes at `rate`, from what its header claims, no more than the file can
// hold; -1 when nothing says.
int64_t ExpectedFrames(const AVFormatContext& input, const AVStream& stream, int rate) {
  const AVCodecParameters& par = *stream.codecpar;
  if (par.sample_rate <= 0) return -1;
  int64_t frames = -1;
  if (stream.duration > 0 && stream.duration != AV_NOPTS_VALUE) {
    frames = av_rescale_q(stream.duration, stream.time_base, AVRational{1, par.sample_rate});
  } else if (input.duration > 0) {
    frames = av_rescale(input.duration, par.sample_rate, AV_TIME_BASE);
  }
  if (const int64_t most = FramesTheFileCanHold(input, par); most >= 0) {
    frames = frames < 0 ? most : std::min(frames, most);
  }
  if (frames < 0) return -1;
  return av_rescale(frames, rate, par.sample_rate);
}

std::string Megabytes(uint64_t bytes) {
  return std::to_string((bytes + (uint64_t{1} << 20) - 1) >> 20) + " MB";
}

std::string TooLong(uint64_t bytes) {
  return "the sound would take " + Megabytes(bytes) + " once converted, more than the " +
         Megabytes(kMaxSoundBytes) + " a sound may take";
}

// Decodes the whole sound into `wave`, room made before the samples come and never past the bound.
bool Decode(AVFormatContext& input, int stream, AVCodecContext& codec, SwrContext& resampler,
            const SoundFormat& format, LoadedWave& wave) {
  const size_t max_samples = kMaxSoundBytes / kSampleBytes;
  ffmpeg::Packet packet(av_packet_alloc());
  ffmpeg::Frame frame(av_frame_alloc());
  if (!packet || !frame) {
    wave.refusal = "out of memory";
    return false;
  }
  bool decoded = false;
  bool too_long = false;
  auto drain = [&] {
    while (!too_long && avcodec_receive_frame(&codec, frame.get()) == 0) {
      const int got =
          ffmpeg::AppendSamples(resampler, *frame, format.channels, wave.samples, max_samples);
      too_long = got < 0;
      decoded = got > 0 || decoded;
      av_frame_unref(frame.get());
    }
  };
  while (!too_long && av_read_frame(&input, packet.get()) >= 0) {
    if (packet->stream_index == stream) {
      avcodec_send_packet(&codec, packet.get());
      drain();
    }
    av_packet_unref(packet.get());
  }
  if (!too_long) {
    avcodec_send_packet(&codec, nullptr);
    drain();
  }
  // The converter keeps the last few samples back until told the sound has ended.
  if (!too_long && decoded) {
    too_long = ffmpeg::AppendHeldSamples(resampler, format.channels, wave.samples, max_samples) < 0;
  }
  if (too_long) {
    wave.refusal = TooLong(kMaxSoundBytes + 1);
    wave.too_large = true;
    return false;
  }
  if (!decoded) wave.refusal = "it holds no sound";
  return decoded;
}

// Takes `bytes` of the budget for the samples; false, with the reason, when they do not fit.
bool Charge(MemoryBudget* budget, uint64_t bytes, LoadedWave& wave) {
  if (budget == nullptr) return true;
  auto charge = budget->Reserve(bytes);
  if (!charge) {
    wave.refusal = budget->Refusal(bytes);
    wave.too_large = true;
    return false;
  }
  wave.charge = std::move(*charge);
  return true;
}

bool Load(const std::string& path, const SoundFormat& format, MemoryBudget* budget,
          LoadedWave& wave) {
  ffmpeg::Format input = ffmpeg::OpenFile(path, av_find_input_format("wav"), "wav", &wave.refusal);
  if (!input) return false;
  const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  ffmpeg::Codec codec = ffmpeg::OpenDecoder(*input, stream);
  ffmpeg::Resampler resampler = codec ? ffmpeg::OpenResampler(*codec, format) : nullptr;
  if (!resampler) {
    wave.refusal = "no sound the player decodes";
    return false;
  }
  // Judged before anything is decoded: a claim past the bound is refused at once.
  const int64_t frames = ExpectedFrames(*input, *input->streams[stream], format.rate);
  if (frames >= 0) {
    const uint64_t bytes = uint64_t(frames) * uint64_t(format.channels) * kSampleBytes;
    if (bytes > kMaxSoundBytes) {
      wave.refusal = TooLong(bytes);
      wave.too_large = true;
      return false;
    }
    if (!Charge(budget, bytes, wave)) return false;
    // The expected size at once, so that the samples are not copied as they grow.
    wave.samples.reserve(size_t(frames) * size_t(format.channels));
  }
  if (!Decode(*input, stream, *codec, *resampler, format, wave)) return false;
  // A length the file did not tell is charged once it is known (never past the bound of a sound).
  const uint64_t bytes = wave.samples.capacity() * sizeof(int16_t);
  if (bytes <= wave.charge.Bytes()) return true;
  wave.charge.Release();
  return Charge(budget, bytes, wave);
}

}  // namespace

LoadedWave LoadWave(const std::string& path, const SoundFormat& format, MemoryBudget* budget) {
  LoadedWave wave;
  if (format.channels <= 0 || format.rate <= 0) {
    wave.refusal = "no sound output";
    return wave;
  }
  wave.playable = Load(path, format, budget, wave);
  if (!wave.playable) {
    wave.samples = {};
    wave.charge.Release();
    if (wave.refusal.empty()) wave.refusal = "it cannot be decoded";
  } else {
    wave.refusal.clear();
  }
  return wave;
}

}  // namespace velmorant::platform
