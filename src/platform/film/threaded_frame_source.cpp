#include "platform/film/threaded_frame_source.hpp"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>

namespace velmorant::platform {

namespace {

constexpr size_t kMaxPictures = 8;
constexpr size_t kMaxPicturesWhileSoundLags = 32;
constexpr int64_t kSoundAheadMs = 500;
constexpr int64_t kDriftMs = 60;
constexpr int64_t kPollMs = 10;

}  // namespace

ThreadedFrameSource::~ThreadedFrameSource() {
  Close();
}

int64_t ThreadedFrameSource::SteadyUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int64_t ThreadedFrameSource::ClockMs() const {
  return (SteadyUs() - anchor_us_.load()) / 1000;
}

bool ThreadedFrameSource::Open(const std::string& path) {
  Close();
  std::optional<SoundFormat> sound;
  if (mixer_) sound = mixer_->Format();
  decoder_ = FilmDecoder::Open(path, sound);
  if (!decoder_) return false;
  duration_ms_ = decoder_->DurationMs();
  native_ = decoder_->NativeSize();
  return true;
}

void ThreadedFrameSource::Close() {
  if (mixer_) mixer_->ReleaseStream(this);
  playing_ = false;
  StopWorker();
  decoder_.reset();
  current_.reset();
  duration_ms_ = 0;
  native_ = {};
}

void ThreadedFrameSource::StopWorker() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  room_.notify_all();
  if (worker_.joinable()) worker_.join();
  std::lock_guard lock(mutex_);
  stop_ = false;
  finished_ = false;
  pictures_.clear();
  sound_.clear();
  sound_offset_ = 0;
  sound_buffered_ = 0;
}

void ThreadedFrameSource::Start(int64_t ms) {
  if (mixer_) mixer_->ReleaseStream(this);
  playing_ = false;
  StopWorker();
  current_.reset();
  if (!decoder_ || !decoder_->Rewind()) {
    decoder_.reset();
    return;
  }
  decoder_->SetPictureSize(size_);
  anchor_us_ = SteadyUs() - ms * 1000;
  playing_ = true;
  worker_ = std::thread([this] { Work(); });
  if (mixer_ && decoder_->HasSound()) mixer_->SetStream(this);
}

void ThreadedFrameSource::Pause() {
  if (!playing_) return;
  paused_at_ms_ = ClockMs();
  playing_ = false;
}

void ThreadedFrameSource::Resume() {
  if (playing_ || !decoder_) return;
  anchor_us_ = SteadyUs() - paused_at_ms_ * 1000;
  playing_ = true;
}

bool ThreadedFrameSource::QueuesFull() const {
  const bool sound_enough =
      !decoder_->HasSound() || int64_t(sound_buffered_) >= kSoundAheadMs * mixer_->Format().rate *
                                                               mixer_->Format().channels / 1000;
  if (pictures_.size() >= kMaxPicturesWhileSoundLags) return true;
  return pictures_.size() >= kMaxPictures && sound_enough;
}

void ThreadedFrameSource::Work() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      room_.wait(lock, [this] { return stop_ || !QueuesFull(); });
      if (stop_) return;
    }
    auto item = decoder_->Next();
    std::lock_guard lock(mutex_);
    if (!item) {
      finished_ = true;
      return;
    }
    if (auto* picture = std::get_if<FilmPicture>(&*item)) {
      pictures_.push_back(std::move(*picture));
    } else if (auto* samples = std::get_if<FilmSamples>(&*item)) {
      sound_buffered_ += samples->samples.size();
      sound_.push_back(std::move(*samples));
    }
  }
}

const FilmPicture* ThreadedFrameSource::PictureAt(int64_t ms) {
  {
    std::lock_guard lock(mutex_);
    while (!pictures_.empty() && pictures_.front().start_ms <= ms) {
      current_ = std::move(pictures_.front());
      pictures_.pop_front();
    }
  }
  room_.notify_all();
  return current_ ? &*current_ : nullptr;
}

int64_t ThreadedFrameSource::NextPictureAfter(int64_t ms) {
  std::lock_guard lock(mutex_);
  if (!pictures_.empty()) return pictures_.front().start_ms;
  if (finished_ || !decoder_) return std::numeric_limits<int64_t>::max();
  return ms + kPollMs;  // the decoder is behind: look again soon
}

void ThreadedFrameSource::Fill(int16_t* out, size_t count) {
  std::memset(out, 0, count * sizeof(int16_t));
  if (!playing_ || !mixer_) return;
  const SoundFormat format = mixer_->Format();
  const int64_t now = ClockMs();
  std::unique_lock lock(mutex_);
  size_t written = 0;
  while (written < count && !sound_.empty()) {
    FilmSamples& block = sound_.front();
    const int64_t at =
        block.start_ms + int64_t(sound_offset_ / size_t(format.channels)) * 1000 / format.rate;
    if (at > now + kDriftMs && written == 0) break;  // early: wait with silence
    size_t take = std::min(count - written, block.samples.size() - sound_offset_);
    if (at + kDriftMs < now) {
      // Late: what should have sounded already is dropped.
      take = std::min(block.samples.size() - sound_offset_, size_t(format.channels) * 64);
    } else {
      std::memcpy(out + written, block.samples.data() + sound_offset_, take * sizeof(int16_t));
      written += take;
    }
    sound_offset_ += take;
    sound_buffered_ -= std::min(sound_buffered_, take);
    if (sound_offset_ >= block.samples.size()) {
      sound_.pop_front();
      sound_offset_ = 0;
    }
  }
  lock.unlock();
  room_.notify_all();
}

}  // namespace velmorant::platform
