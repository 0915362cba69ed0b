#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A picture of a film and when, counted from the film's start, it is due.
struct FilmPicture {
  int64_t start_ms = 0;
  Bitmap picture;  // at the picture size asked for; empty when none was
};

// Where a film player gets its pictures (and plays the film's sound, where there is sound): the
// decoding behind the player's timing. Positions are ms from the film's start.
class FrameSource {
 public:
  virtual ~FrameSource() = default;

  // False when the file is not a film that can be played.
  virtual bool Open(const std::string& path) = 0;
  virtual void Close() = 0;
  virtual int64_t DurationMs() const = 0;
  virtual Size NativeSize() const = 0;
  // Pictures are given at this size.
  virtual void SetPictureSize(Size size) = 0;

  // Playback begins at `ms`; the picture clock runs from there.
  virtual void Start(int64_t ms) = 0;
  // Sound halts and goes on; pictures are only asked for while playing.
  virtual void Pause() = 0;
  virtual void Resume() = 0;

  // The picture due at `ms` (later calls ask for later times until the next Start); null before
  // the first picture.
  virtual const FilmPicture* PictureAt(int64_t ms) = 0;
  // When the next picture after the one due at `ms` is due; INT64_MAX when none will come.
  virtual int64_t NextPictureAfter(int64_t ms) = 0;
};

}  // namespace velmorant::platform
