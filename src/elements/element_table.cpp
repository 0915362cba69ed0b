// The element kinds this player shows: one line per kind.
#include "elements/interactive/maps.hpp"
#include "elements/media/films.hpp"
#include "elements/media/sounds.hpp"
#include "elements/visual/backgrounds.hpp"
#include "elements/visual/captions.hpp"
#include "elements/visual/texts.hpp"
#include "sequence/element_kinds.hpp"

namespace velmorant {

ElementKinds MakeElementKinds(ElementHost& host) {
  ElementKinds kinds;
  kinds.Add(ElementSet::kBackground, std::make_unique<TTla>(host));
  kinds.Add(ElementSet::kCaptions, std::make_unique<TNapisy>(host));
  kinds.Add(ElementSet::kTexts, std::make_unique<TTeksty>(host));
  auto maps = std::make_unique<TMapy>(host);
  kinds.SetControls(*maps);
  kinds.Add(ElementSet::kMaps, std::move(maps));
  kinds.Add(ElementSet::kSounds, std::make_unique<TDzwieki>(host));
  kinds.Add(ElementSet::kFilms, std::make_unique<TFilmy>(host));
  return kinds;
}

}  // namespace velmorant
