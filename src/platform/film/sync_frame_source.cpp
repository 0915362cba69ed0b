#include "platform/film/sync_frame_source.hpp"

#include <limits>

#include "platform/film/frame_sources.hpp"

namespace velmorant::platform {

bool SyncFrameSource::Open(const std::string& path) {
  Close();
  decoder_ = FilmDecoder::Open(path);
  if (!decoder_) return false;
  decoder_->SetPictureSize(size_);
  return true;
}

void SyncFrameSource::Close() {
  decoder_.reset();
  current_.reset();
  ahead_.reset();
  ended_ = false;
}

void SyncFrameSource::SetPictureSize(Size size) {
  size_ = size;
  if (decoder_) decoder_->SetPictureSize(size);
}

void SyncFrameSource::Start(int64_t /*ms*/) {
  // Every play decodes from the start again, at the picture size it is shown in.
  current_.reset();
  ahead_.reset();
  ended_ = false;
  if (decoder_ && !decoder_->Rewind()) decoder_.reset();
}

void SyncFrameSource::FillAhead() {
  while (!ahead_ && !ended_ && decoder_) {
    auto item = decoder_->Next();
    if (!item) {
      ended_ = true;
      break;
    }
    if (auto* picture = std::get_if<FilmPicture>(&*item)) ahead_ = std::move(*picture);
  }
}

const FilmPicture* SyncFrameSource::PictureAt(int64_t ms) {
  FillAhead();
  while (ahead_ && ahead_->start_ms <= ms) {
    current_ = std::move(ahead_);
    ahead_.reset();
    FillAhead();
  }
  return current_ ? &*current_ : nullptr;
}

int64_t SyncFrameSource::NextPictureAfter(int64_t /*ms*/) {
  FillAhead();
  return ahead_ ? ahead_->start_ms : std::numeric_limits<int64_t>::max();
}

std::unique_ptr<FrameSource> MakeSyncFrameSource() {
  return std::make_unique<SyncFrameSource>();
}

}  // namespace velmorant::platform
