#include "platform/audio/mixer_sound_player.hpp"

#include <SDL_mixer.h>

#include <chrono>

#include "platform/audio/sound_event.hpp"
#include "platform/audio/wave_file.hpp"

namespace velmorant::platform {

void MixerSoundPlayer::ChunkFreer::operator()(Mix_Chunk* c) const {
  Mix_FreeChunk(c);
}

MixerSoundPlayer::MixerSoundPlayer(Mixer& mixer, EventLog& log, MemoryBudget* budget)
    : mixer_(mixer), log_(log), budget_(budget) {}

MixerSoundPlayer::~MixerSoundPlayer() {
  Silence();
}

void MixerSoundPlayer::Silence() {
  // Halting waits for the audio thread, so the chunk's memory is free to go afterwards.
  Mix_HaltChannel(Mixer::kWaveChannel);
  chunk_.reset();
  samples_ = {};
  charge_.Release();
}

void MixerSoundPlayer::Record(const std::string& path, bool loop, bool result, const char* op) {
  WriteSoundEvent(log_, path, loop, result, op);
}

void MixerSoundPlayer::NoteMixed(int /*channel*/, void* /*stream*/, int /*bytes*/, void* self) {
  auto& player = *static_cast<MixerSoundPlayer*>(self);
  if (player.first_mixed_us_.load() != 0) return;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  player.first_mixed_us_.store(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

bool MixerSoundPlayer::PlaySound(const std::string& path, uint32_t flags) {
  const bool loop = (flags & kSndLoop) != 0;
  if (path.empty()) {
    Silence();
    Record(path, false, true, "stop");
    return true;
  }
  if ((flags & kSndNoStop) && Mix_Playing(Mixer::kWaveChannel)) {
    Record(path, loop, false, "play");
    return false;
  }
  Silence();
  LoadedWave wave = LoadWave(path, mixer_.Format(), budget_);
  refusals_.Note(log_.RelativePath(path), wave);
  if (!wave.Playable() || wave.samples.empty()) {
    Record(path, loop, wave.Playable(), "play");
    return wave.Playable();
  }
  samples_ = std::move(wave.samples);
  charge_ = std::move(wave.charge);
  chunk_.reset(Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples_.data()),
                                 Uint32(samples_.size() * sizeof(int16_t))));
  first_mixed_us_.store(0);
  bool ok = chunk_ != nullptr;
  if (ok) {
    Mix_RegisterEffect(Mixer::kWaveChannel, &MixerSoundPlayer::NoteMixed, nullptr, this);
    ok = Mix_PlayChannel(Mixer::kWaveChannel, chunk_.get(), loop ? -1 : 0) >= 0;
  }
  Record(path, loop, ok, "play");
  return ok;
}

}  // namespace velmorant::platform
