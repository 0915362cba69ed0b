#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "definition/records_media.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Wave sounds: one plays at a time in the whole player. The display engine's CurrentSound names
// the record that plays on across a page change, which is how background music carries over.
class TDzwieki final : public ElementKind {
 public:
  explicit TDzwieki(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }

  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Activate(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // The region handlers.
  void Play(int32_t index);
  void StopSound(int32_t index);

 private:
  struct Live {
    bool Shown = false;
    std::string Path;    // resolved at Show
    uint32_t Flags = 0;  // computed at Show
  };

  const TDzw& Record(int32_t index) const;
  bool MapValid(int32_t index) const;
  // A record without a file asks for nothing.
  bool HasSound(int32_t index) const { return !Record(index).FileName.empty(); }

  ElementHost& host_;
  std::vector<Live> live_;
};

}  // namespace velmorant
