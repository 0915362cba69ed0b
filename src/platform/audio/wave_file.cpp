#include "platform/audio/wave_file.hpp"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/film/ffmpeg_handles.hpp"

namespace velmorant::platform {

namespace {

struct WaveBufferFreer {
  void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};

// The system loader's way: its own wave reader, then its converter to the mixer's format.
bool LoadWithLoader(const std::string& path, const SoundFormat& format, std::vector<int16_t>& out) {
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (!file) return false;
  SDL_AudioSpec found{};
  Uint8* raw = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(file, 1, &found, &raw, &length)) return false;
  std::unique_ptr<Uint8, WaveBufferFreer> buffer(raw);
  SDL_AudioCVT cvt{};
  if (SDL_BuildAudioCVT(&cvt, found.format, found.channels, found.freq, AUDIO_S16SYS,
                        Uint8(format.channels), format.rate) < 0) {
    return false;
  }
  if (cvt.len_mult <= 0) return false;
  std::vector<Uint8> work(size_t(length) * size_t(cvt.len_mult));
  if (length > 0) std::memcpy(work.data(), buffer.get(), length);
  cvt.buf = work.data();
  cvt.len = int(length);
  if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return false;
  const size_t bytes = cvt.needed ? size_t(cvt.len_cvt) : size_t(length);
  out.resize(bytes / sizeof(int16_t));
  if (!out.empty()) std::memcpy(out.data(), work.data(), out.size() * sizeof(int16_t));
  return true;
}

// FFmpeg's way, for wave files only (RIFF, RIFX and RF64 headers): whatever codec it decodes.
bool LoadWithDecoder(const std::string& path, const SoundFormat& format,
                     std::vector<int16_t>& out) {
  ffmpeg::Format input = ffmpeg::OpenFile(path, av_find_input_format("wav"), "wav");
  if (!input) return false;
  const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  ffmpeg::Codec codec = ffmpeg::OpenDecoder(*input, stream);
  if (!codec) return false;
  ffmpeg::Resampler resampler = ffmpeg::OpenResampler(*codec, format);
  if (!resampler) return false;

  ffmpeg::Packet packet(av_packet_alloc());
  ffmpeg::Frame frame(av_frame_alloc());
  if (!packet || !frame) return false;
  bool decoded = false;
  auto drain = [&] {
    while (avcodec_receive_frame(codec.get(), frame.get()) == 0) {
      decoded = ffmpeg::AppendSamples(*resampler, *frame, format.channels, out) > 0 || decoded;
      av_frame_unref(frame.get());
    }
  };
  while (av_read_frame(input.get(), packet.get()) >= 0) {
    if (packet->stream_index == stream) {
      avcodec_send_packet(codec.get(), packet.get());
      drain();
    }
    av_packet_unref(packet.get());
  }
  avcodec_send_packet(codec.get(), nullptr);
  drain();
  return decoded;
}

}  // namespace

int64_t LoadedWave::DurationMs(const SoundFormat& format) const {
  const int64_t frames = int64_t(samples.size()) / std::max(format.channels, 1);
  return frames * 1000 / std::max(format.rate, 1);
}

LoadedWave LoadWave(const std::string& path, const SoundFormat& format) {
  LoadedWave wave;
  if (path.empty() || format.channels <= 0 || format.rate <= 0) return wave;
  if (LoadWithLoader(path, format, wave.samples)) {
    wave.route = WaveRoute::kLoader;
    return wave;
  }
  wave.samples.clear();
  if (LoadWithDecoder(path, format, wave.samples)) {
    wave.route = WaveRoute::kDecoder;
    return wave;
  }
  wave.samples.clear();
  return wave;
}

}  // namespace velmorant::platform
