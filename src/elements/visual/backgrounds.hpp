#pragma once

#include <optional>
#include <vector>

#include "definition/records_visual.hpp"
#include "platform/gfx/bitmap.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class Player;

// Backgrounds: a picture, or a cut-out of it, stretched over the whole client area.
class TTla final : public ElementKind {
 public:
  explicit TTla(Player& player) : player_(player) {}

  void OnDefinitionLoaded();
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index, TAkc* slot) override;
  void Compose(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

 private:
  struct Live {
    bool Shown = false;
    std::optional<platform::Bitmap> Picture;
    platform::Rect CropPx;
  };
  const TTlo& Record(int32_t index) const;

  Player& player_;
  std::vector<Live> live_;
};

}  // namespace velmorant
