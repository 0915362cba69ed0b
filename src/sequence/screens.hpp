#pragma once

#include <cstdint>
#include <vector>

#include "definition/records_sequence.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class Player;

// The element sets of a screen, in the words of the walk tables.
enum class ElementSet {
  kBackground,
  kMaps,
  kSandwiches,
  kImages,
  kCaptions,
  kLinks,
  kDocuments,
  kProcesses,
  kSounds,
  kFilms,
  kAnimations,
  kTexts,
  kCurrentSoundRule,  // not a set: the Hide walk's bookkeeping of the sound that plays on
};

// The screens of the presentation and the seven walks that drive their elements.
class TEkrany {
 public:
  explicit TEkrany(Player& player) : player_(player) {}

  void OnDefinitionLoaded();
  int32_t Count() const;
  bool IsValid(int32_t screen) const { return screen >= 0 && screen < Count(); }
  bool Shown(int32_t screen) const { return shown_[size_t(screen)] != 0; }

  void Show(int32_t screen, TAkc* slot);
  void InstallKeys(int32_t screen);
  void Compose(int32_t screen);
  void Start(int32_t screen);
  void Activate(int32_t screen);
  void Stop(int32_t screen);
  void Hide(int32_t screen);
  void Preload(int32_t screen);

 private:
  const TEkr& Record(int32_t screen) const;
  void Walk(int32_t screen, Phase phase, TAkc* slot);
  void ApplyCurrentSoundRule(const TEkr& screen);

  Player& player_;
  std::vector<uint8_t> shown_;
};

}  // namespace velmorant
