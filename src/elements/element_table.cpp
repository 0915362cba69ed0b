// The element kinds this player shows: one line per kind.
#include "elements/interactive/documents.hpp"
#include "elements/interactive/links.hpp"
#include "elements/interactive/maps.hpp"
#include "elements/interactive/processes.hpp"
#include "elements/interactive/sandwiches.hpp"
#include "elements/media/animations.hpp"
#include "elements/media/films.hpp"
#include "elements/media/sounds.hpp"
#include "elements/visual/backgrounds.hpp"
#include "elements/visual/captions.hpp"
#include "elements/visual/images.hpp"
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
  kinds.Add(ElementSet::kImages, std::make_unique<TObrazy>(host));
  kinds.Add(ElementSet::kSandwiches, std::make_unique<TSandwicze>(host));
  kinds.Add(ElementSet::kAnimations, std::make_unique<TAnimacje>(host));
  kinds.Add(ElementSet::kLinks, std::make_unique<TLinki>(host));
  kinds.Add(ElementSet::kDocuments, std::make_unique<TDoki>(host));
  kinds.Add(ElementSet::kProcesses, std::make_unique<TProcesy>(host));
  kinds.Add(ElementSet::kSounds, std::make_unique<TDzwieki>(host));
  kinds.Add(ElementSet::kFilms, std::make_unique<TFilmy>(host));
  return kinds;
}

}  // namespace velmorant
