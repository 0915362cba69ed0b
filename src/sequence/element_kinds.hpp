#pragma once

#include <array>
#include <memory>

#include "sequence/control_registry.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// The element kinds of the player, one per element set. Maps also serve the other kinds as their
// controls.
class ElementKinds {
 public:
  void Add(ElementSet set, std::unique_ptr<ElementKind> kind);
  // Nothing for a set this player does not show.
  ElementKind* Find(ElementSet set) const { return kinds_[size_t(set)].get(); }

  ControlRegistry& Controls() const { return *controls_; }
  void SetControls(ControlRegistry& controls) { controls_ = &controls; }

  void OnDefinitionLoaded();

 private:
  std::array<std::unique_ptr<ElementKind>, kElementSetCount> kinds_;
  ControlRegistry* controls_ = nullptr;
};

// Every kind the player shows, made for `host`: adding a kind is one line there.
ElementKinds MakeElementKinds(ElementHost& host);

}  // namespace velmorant
