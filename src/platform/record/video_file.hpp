#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/audio/sound_format.hpp"
#include "platform/gfx/bitmap.hpp"

struct AVCodecContext;
struct AVFrame;
struct AVStream;

namespace velmorant::platform {

struct VideoFileOptions {
  Size size;  // rounded up to even sides, as 4:2:0 pictures need
  int fps = 25;
  SoundFormat sound;
};

// An MP4 file with a picture track at a constant rate (H.264 where FFmpeg has that encoder,
// MPEG-4 otherwise) and an AAC sound track. The encoders run on one thread with bit-exact
// settings and the file carries no dates or versions: the same pictures and sound give the same
// bytes.
class VideoFile {
 public:
  // Null, with `error` saying why, when the file or its encoders cannot be set up.
  static std::unique_ptr<VideoFile> Create(const std::filesystem::path& path,
                                           const VideoFileOptions& options, std::string* error);
  struct Key {
    explicit Key() = default;
  };
  // Only through Create.
  explicit VideoFile(Key);
  VideoFile(const VideoFile&) = delete;
  VideoFile& operator=(const VideoFile&) = delete;
  ~VideoFile();

  Size PictureSize() const { return size_; }
  const char* PictureCodec() const;
  // The next `times` pictures, all this one; its top-left part of the file's size is used,
  // black where it is smaller.
  void AddPicture(const Bitmap& picture, int64_t times = 1);
  // More sound: 16-bit interleaved samples in the options' format.
  void AddSound(std::span<const int16_t> samples);
  // Encodes what waits and writes the file's end: false, with `error`, when anything failed.
  bool Finish(std::string* error);

 private:
  struct Output;
  bool Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame);
  void SendSoundFrame(int frames);

  std::unique_ptr<Output> out_;
  Size size_;
  SoundFormat sound_format_;
  int64_t pictures_ = 0;
  int64_t sound_frames_ = 0;
  std::vector<int16_t> pending_sound_;
  std::string error_;
  bool finished_ = false;
};

}  // namespace velmorant::platform
