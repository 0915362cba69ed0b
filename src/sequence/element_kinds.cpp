#include "sequence/element_kinds.hpp"

namespace velmorant {

void ElementKinds::Add(ElementSet set, std::unique_ptr<ElementKind> kind) {
  kinds_[size_t(set)] = std::move(kind);
}

void ElementKinds::OnDefinitionLoaded() {
  for (const auto& kind : kinds_) {
    if (kind) kind->OnDefinitionLoaded();
  }
}

}  // namespace velmorant
