// The element kinds this player shows: one line per kind.
#include "elements/interactive/maps.hpp"
#include "elements/visual/backgrounds.hpp"
#include "elements/visual/images.hpp"
#include "sequence/element_kinds.hpp"

namespace velmorant {

ElementKinds MakeElementKinds(ElementHost& host) {
  ElementKinds kinds;
  kinds.Add(ElementSet::kBackground, std::make_unique<TTla>(host));
  auto maps = std::make_unique<TMapy>(host);
  kinds.SetControls(*maps);
  kinds.Add(ElementSet::kMaps, std::move(maps));
  kinds.Add(ElementSet::kImages, std::make_unique<TObrazy>(host));
  return kinds;
}

}  // namespace velmorant
