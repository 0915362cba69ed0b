#pragma once

#include <memory>
#include <string>

#include "platform/film/frame_source.hpp"

namespace velmorant::platform {

// A frame source that hands every call on to another: a wrapper overrides only what it adds.
class ForwardingFrameSource : public FrameSource {
 public:
  explicit ForwardingFrameSource(std::unique_ptr<FrameSource> inner) : inner_(std::move(inner)) {}

  bool Open(const std::string& path) override { return inner_->Open(path); }
  void Close() override { inner_->Close(); }
  int64_t DurationMs() const override { return inner_->DurationMs(); }
  Size NativeSize() const override { return inner_->NativeSize(); }
  void SetPictureSize(Size size) override { inner_->SetPictureSize(size); }
  void Start(int64_t ms) override { inner_->Start(ms); }
  void Pause() override { inner_->Pause(); }
  void Resume() override { inner_->Resume(); }
  const FilmPicture* PictureAt(int64_t ms) override { return inner_->PictureAt(ms); }
  int64_t NextPictureAfter(int64_t ms) override { return inner_->NextPictureAfter(ms); }

 private:
  std::unique_ptr<FrameSource> inner_;
};

}  // namespace velmorant::platform
