// Films and sounds: a 1280 x 720 film decoded and drawn as the player does it, as a share of one
// core over the film's own length, beside FFmpeg decoding the same file and nothing else; and how
// soon a wave sound reaches the mixer after it is asked for.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <thread>

#include "platform/audio/mixer.hpp"
#include "platform/audio/mixer_sound_player.hpp"
#include "platform/film/film_decoder.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/loop/clock.hpp"
#include "platform/loop/event_log.hpp"
#include "support/film_builder.hpp"
#include "support/wave_builder.hpp"

namespace {

namespace fs = std::filesystem;
using namespace velmorant;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kFps = 25;
constexpr int kFrames = 100;  // four seconds

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A moving picture, so that the encoder has motion to code, in the given codec.
const fs::path& Film(fixtures::FilmCodec codec) {
  static const fs::path dir = fs::temp_directory_path() / "velmorant-bench-media";
  static const fs::path mpeg4 = dir / "mpeg4.avi";
  static const fs::path mjpeg = dir / "mjpeg.avi";
  const fs::path& path = codec == fixtures::FilmCodec::kMpeg4 ? mpeg4 : mjpeg;
  if (!fs::exists(path)) {
    fs::create_directories(dir);
    fixtures::WriteAvi(path, kWidth, kHeight, kFps, kFrames, codec, [](int f, int x, int y) {
      const int dx = x - 4 * f, dy = y - 2 * f;
      return uint32_t(((dx / 40 + dy / 40) & 1) ? 0x3070B0 + (x & 0xFF) : 0xE0C090 - (y & 0x3F));
    });
  }
  return path;
}

// The player's work: every picture decoded, converted to the window's pixels at the rectangle's
// size and drawn onto a window surface.
void BM_FilmDecodeAndDraw(benchmark::State& state) {
  const auto codec = fixtures::FilmCodec(state.range(0));
  const std::string path = Film(codec).string();
  platform::Bitmap surface(kWidth, kHeight);
  double cpu = 0, film = 0;
  for (auto _ : state) {
    const double start = CpuSeconds();
    auto decoder = platform::FilmDecoder::Open(path);
    decoder->SetPictureSize({kWidth, kHeight});
    platform::Canvas canvas(surface);
    int pictures = 0;
    while (auto item = decoder->Next()) {
      if (auto* p = std::get_if<platform::FilmPicture>(&*item)) {
        canvas.Draw(0, 0, p->picture);
        ++pictures;
      }
    }
    benchmark::DoNotOptimize(surface.At(0, 0));
    cpu += CpuSeconds() - start;
    film += double(decoder->DurationMs()) / 1000.0;
    if (pictures != kFrames) state.SkipWithError("pictures missing");
  }
  state.counters["core_share"] = cpu / film;
}
BENCHMARK(BM_FilmDecodeAndDraw)
    ->Arg(int(fixtures::FilmCodec::kMpeg4))
    ->Arg(int(fixtures::FilmCodec::kMjpeg))
    ->Unit(benchmark::kMillisecond);

// FFmpeg alone: demuxing and decoding the same file, no conversion and no drawing.
void BM_FfmpegDecodeOnly(benchmark::State& state) {
  const auto codec = fixtures::FilmCodec(state.range(0));
  const std::string path = Film(codec).string();
  double cpu = 0, film = 0;
  for (auto _ : state) {
    const double start = CpuSeconds();
    platform::ffmpeg::Format format = platform::ffmpeg::OpenInput(path);
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    platform::ffmpeg::Codec decoder = platform::ffmpeg::OpenDecoder(*format, stream);
    platform::ffmpeg::Packet packet(av_packet_alloc());
    platform::ffmpeg::Frame frame(av_frame_alloc());
    int pictures = 0;
    auto drain = [&] {
      while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
        ++pictures;
        av_frame_unref(frame.get());
      }
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
      if (packet->stream_index == stream) avcodec_send_packet(decoder.get(), packet.get());
      av_packet_unref(packet.get());
      drain();
    }
    avcodec_send_packet(decoder.get(), nullptr);
    drain();
    cpu += CpuSeconds() - start;
    film += double(kFrames) / kFps;
    if (pictures != kFrames) state.SkipWithError("pictures missing");
  }
  state.counters["core_share"] = cpu / film;
}
BENCHMARK(BM_FfmpegDecodeOnly)
    ->Arg(int(fixtures::FilmCodec::kMpeg4))
    ->Arg(int(fixtures::FilmCodec::kMjpeg))
    ->Unit(benchmark::kMillisecond);

// From the call to the first mixer buffer that carries the sound, on SDL's disk audio driver
// (paced like a sound card, writing nowhere). The time is the latency of one start.
void BM_SoundStart(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  const fs::path wave = fs::temp_directory_path() / "velmorant-bench-sound.wav";
  fixtures::WriteSquareWave(wave, 44100, 44100);
  auto mixer = platform::Mixer::Open();
  if (!mixer) {
    state.SkipWithError("no audio device");
    return;
  }
  platform::VirtualClock clock;
  platform::EventLog log(clock);
  platform::MixerSoundPlayer sounds(*mixer, log);
  const uint32_t flags = platform::kSndFilename | platform::kSndAsync;
  for (auto _ : state) {
    sounds.PlaySound("", flags);
    // Start at a random point of the device's buffer period, as a click would.
    std::this_thread::sleep_for(std::chrono::microseconds(std::rand() % 11000));
    const auto asked = std::chrono::steady_clock::now();
    sounds.PlaySound(wave.string(), flags);
    while (sounds.FirstMixedAtUs() == 0) std::this_thread::yield();
    const int64_t asked_us =
        std::chrono::duration_cast<std::chrono::microseconds>(asked.time_since_epoch()).count();
    state.SetIterationTime(double(sounds.FirstMixedAtUs() - asked_us) / 1e6);
  }
}
BENCHMARK(BM_SoundStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
