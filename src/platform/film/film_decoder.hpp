#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/audio/sound_format.hpp"
#include "platform/film/ffmpeg_handles.hpp"
#include "platform/film/frame_source.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// Sound of a film: 16-bit interleaved samples in the output format, from `start_ms` on.
struct FilmSamples {
  int64_t start_ms = 0;
  std::vector<int16_t> samples;
};

// Reads a film file with FFmpeg: pictures converted to the player's 32-bit pixels at the size of
// the rectangle they are shown in, and, when asked for, its sound converted to the mixer's format.
// Every codec FFmpeg decodes is played; a file without a picture stream it can decode is refused.
class FilmDecoder {
 public:
  using Item = std::variant<FilmPicture, FilmSamples>;
  // The most one decoded block of a film's sound may last once converted.
  static constexpr int kMaxSoundBlockSeconds = 60;

  // Null when the file cannot be played. Without `sound` the film's sound is not decoded.
  static std::unique_ptr<FilmDecoder> Open(const std::string& path,
                                           std::optional<SoundFormat> sound = std::nullopt);
  FilmDecoder(const FilmDecoder&) = delete;
  FilmDecoder& operator=(const FilmDecoder&) = delete;
  ~FilmDecoder();

  // The film's real length: the end of its last picture, found in the file rather than trusted
  // from its header.
  int64_t DurationMs() const { return duration_ms_; }
  Size NativeSize() const { return native_; }
  bool HasSound() const { return bool(audio_); }

  // Pictures decoded from now on are converted to `size` (nearest pixel); an empty size skips the
  // conversion.
  void SetPictureSize(Size size) { size_ = size; }
  // The next picture or block of sound in file order; nothing at the end of the film.
  std::optional<Item> Next();
  // Back to the film's start.
  bool Rewind();

 private:
  FilmDecoder() = default;
  bool OpenStreams(std::optional<SoundFormat> sound);
  std::optional<Item> Receive(AVCodecContext* codec, bool is_video);
  FilmPicture Convert(const AVFrame& frame);
  // Nothing when the block is too long to be a film's sound.
  std::optional<FilmSamples> ConvertSound(const AVFrame& frame);
  int64_t TimeOf(const AVFrame& frame, int stream, int64_t fallback) const;

  std::string path_;
  ffmpeg::Format format_;
  ffmpeg::Codec video_;
  ffmpeg::Codec audio_;
  ffmpeg::Frame frame_;
  ffmpeg::Packet packet_;
  ffmpeg::Scaler scaler_;
  ffmpeg::Resampler resampler_;
  SoundFormat sound_format_;
  int video_stream_ = -1;
  int audio_stream_ = -1;
  int64_t duration_ms_ = 0;
  int64_t frame_ms_ = 40;  // one picture's time, for pictures without a timestamp
  int64_t next_picture_ms_ = 0;
  int64_t next_sound_ms_ = 0;
  bool draining_ = false;
  bool video_done_ = false;
  bool audio_done_ = false;
  Size native_;
  Size size_;
};

// The end of the last packet of `stream` in the file at `path`, in ms from the stream's start.
int64_t ScanFilmDurationMs(const std::string& path, int stream);

}  // namespace velmorant::platform
