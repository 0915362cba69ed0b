#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/audio/mixer.hpp"
#include "platform/audio/sound_player.hpp"
#include "platform/audio/sound_refusals.hpp"
#include "platform/loop/event_log.hpp"

struct Mix_Chunk;

namespace velmorant::platform {

// Wave sounds through the mixer, one at a time on its wave channel: a new sound replaces the one
// that plays, the no-stop flag refuses while one plays, a loop repeats until the next request.
// Requests are written to the event log as the headless player writes them.
class MixerSoundPlayer final : public SoundPlayer {
 public:
  MixerSoundPlayer(Mixer& mixer, EventLog& log, MemoryBudget* budget = nullptr);
  ~MixerSoundPlayer() override;
  bool PlaySound(const std::string& path, uint32_t flags) override;

  // Microseconds of the steady clock at which the mixer first mixed the sound started last; 0
  // until it has (for measuring how soon a sound starts).
  int64_t FirstMixedAtUs() const { return first_mixed_us_.load(); }

 private:
  struct ChunkFreer {
    void operator()(Mix_Chunk* c) const;
  };
  void Silence();
  void Record(const std::string& path, bool loop, bool result, const char* op);
  static void NoteMixed(int channel, void* stream, int bytes, void* self);

  Mixer& mixer_;
  EventLog& log_;
  MemoryBudget* budget_;
  SoundRefusals refusals_;
  std::vector<int16_t> samples_;  // the playing chunk's memory
  MemoryBudget::Charge charge_;   // and what it takes of the budget
  std::unique_ptr<Mix_Chunk, ChunkFreer> chunk_;
  std::atomic<int64_t> first_mixed_us_{0};
};

}  // namespace velmorant::platform
