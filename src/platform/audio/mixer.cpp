#include "platform/audio/mixer.hpp"

#include <SDL.h>
#include <SDL_mixer.h>

namespace velmorant::platform {

std::unique_ptr<Mixer> Mixer::Open() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return nullptr;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, kChunkFrames) < 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  std::unique_ptr<Mixer> mixer(new Mixer(SoundFormat{rate, channels}));
  // The wave sound's channel is never handed out for anything else.
  Mix_AllocateChannels(1);
  Mix_ReserveChannels(1);
  return mixer;
}

Mixer::~Mixer() {
  Mix_HookMusic(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Mixer::SetStream(SoundStream* stream) {
  // The hook is replaced under the mixer's own lock, so the old stream is not in use afterwards.
  Mix_HookMusic(stream ? &Mixer::FillStream : nullptr, stream);
  stream_ = stream;
}

void Mixer::FillStream(void* stream, uint8_t* out, int bytes) {
  static_cast<SoundStream*>(stream)->Fill(reinterpret_cast<int16_t*>(out),
                                          size_t(bytes) / sizeof(int16_t));
}

}  // namespace velmorant::platform
