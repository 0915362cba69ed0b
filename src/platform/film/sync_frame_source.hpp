#pragma once

#include <memory>
#include <optional>

#include "platform/film/film_decoder.hpp"
#include "platform/film/frame_source.hpp"

namespace velmorant::platform {

// Pictures decoded on the asking thread, just in time, and no sound: the headless film source,
// whose pictures depend only on the times asked for.
class SyncFrameSource final : public FrameSource {
 public:
  bool Open(const std::string& path) override;
  void Close() override;
  int64_t DurationMs() const override { return decoder_ ? decoder_->DurationMs() : 0; }
  Size NativeSize() const override { return decoder_ ? decoder_->NativeSize() : Size{}; }
  void SetPictureSize(Size size) override;
  void Start(int64_t ms) override;
  void Pause() override {}
  void Resume() override {}
  const FilmPicture* PictureAt(int64_t ms) override;
  int64_t NextPictureAfter(int64_t ms) override;

 private:
  void FillAhead();

  std::unique_ptr<FilmDecoder> decoder_;
  Size size_;
  std::optional<FilmPicture> current_;
  std::optional<FilmPicture> ahead_;
  bool ended_ = false;
};

}  // namespace velmorant::platform
