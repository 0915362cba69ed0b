#pragma once

#include <cstdint>
#include <vector>

#include "definition/records_sequence.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class EngineHost;

// The screens of the presentation and the seven walks that drive their elements.
class TEkrany {
 public:
  explicit TEkrany(EngineHost& host) : host_(host) {}

  void OnDefinitionLoaded();
  int32_t Count() const;
  bool IsValid(int32_t screen) const { return screen >= 0 && screen < Count(); }
  bool Shown(int32_t screen) const { return shown_[size_t(screen)] != 0; }

  void Show(int32_t screen);
  void InstallKeys(int32_t screen);
  void Compose(int32_t screen);
  void Start(int32_t screen);
  void Activate(int32_t screen);
  void Stop(int32_t screen);
  void Hide(int32_t screen);
  void Preload(int32_t screen);

 private:
  const TEkr& Record(int32_t screen) const;
  void Walk(int32_t screen, Phase phase);
  void ApplyCurrentSoundRule(const TEkr& screen);

  EngineHost& host_;
  std::vector<uint8_t> shown_;
};

}  // namespace velmorant
