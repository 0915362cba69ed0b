#include "platform/web/web_film_sound.hpp"

#include <algorithm>
#include <cstdio>

#include "platform/film/film_sound.hpp"
#include "platform/text/warning_line.hpp"
#include "platform/web/web_sound_player.hpp"

namespace velmorant::platform {

WebFilmSound::WebFilmSound(std::unique_ptr<FrameSource> pictures, WebAudio& audio, EventLog& log,
                           const Clock& clock, MemoryBudget* budget)
    : ForwardingFrameSource(std::move(pictures)),
      log_(log),
      budget_(budget),
      voice_(audio, clock, format_, budget) {}

bool WebFilmSound::Open(const std::string& path) {
  Close();
  path_ = path;
  return ForwardingFrameSource::Open(path);
}

void WebFilmSound::Close() {
  voice_.Stop();
  ForwardingFrameSource::Close();
  path_.clear();
  sound_.reset();
}

void WebFilmSound::Start(int64_t ms) {
  ForwardingFrameSource::Start(ms);
  asked_ = ms;
  if (!sound_ && !path_.empty()) {
    bool too_large = false;
    sound_ = DecodeFilmSound(path_, format_, budget_, &too_large);
    if (too_large && !warned_) {
      warned_ = true;
      std::fputs(WarningLine(log_.RelativePath(path_),
                             "its sound is not played: it would pass the memory budget")
                     .c_str(),
                 stderr);
    }
  }
  voice_.Play(sound_, ms, false);
}

void WebFilmSound::Pause() {
  ForwardingFrameSource::Pause();
  voice_.Pause();
}

void WebFilmSound::Resume() {
  ForwardingFrameSource::Resume();
  voice_.Resume();
}

const FilmPicture* WebFilmSound::PictureAt(int64_t ms) {
  if (const auto late = voice_.Update()) WarnLateStart(log_.RelativePath(path_), *late);
  // Pictures are only ever asked for later times.
  if (const auto heard = voice_.SoundingAtMs())
    asked_ = std::max(asked_, *heard);
  else
    asked_ = std::max(asked_, ms);
  return ForwardingFrameSource::PictureAt(asked_);
}

}  // namespace velmorant::platform
