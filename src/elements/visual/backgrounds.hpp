#pragma once

#include <vector>

#include "definition/records_visual.hpp"
#include "display/asset_source.hpp"
#include "platform/gfx/bitmap.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Backgrounds: a picture, or a cut-out of it, stretched over the whole client area.
class TTla final : public ElementKind {
 public:
  explicit TTla(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

 private:
  struct Live {
    bool Shown = false;
    SharedPicture Picture;
    platform::Rect CropPx;
  };
  const TTlo& Record(int32_t index) const;

  ElementHost& host_;
  std::vector<Live> live_;
};

}  // namespace velmorant
