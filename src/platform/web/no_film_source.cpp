#include "platform/film/frame_sources.hpp"

namespace velmorant::platform {

namespace {

// No film decoder in this build: every film is one that cannot be played.
class NoFrameSource final : public FrameSource {
 public:
  bool Open(const std::string& /*path*/) override { return false; }
  void Close() override {}
  int64_t DurationMs() const override { return 0; }
  Size NativeSize() const override { return {}; }
  void SetPictureSize(Size /*size*/) override {}
  void Start(int64_t /*ms*/) override {}
  void Pause() override {}
  void Resume() override {}
  const FilmPicture* PictureAt(int64_t /*ms*/) override { return nullptr; }
  int64_t NextPictureAfter(int64_t /*ms*/) override { return INT64_MAX; }
};

}  // namespace

std::unique_ptr<FrameSource> MakeSyncFrameSource() {
  return std::make_unique<NoFrameSource>();
}

}  // namespace velmorant::platform
