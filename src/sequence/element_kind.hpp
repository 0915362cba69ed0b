#pragma once

#include <cstdint>

#include "app/actions.hpp"

namespace velmorant {

// The page phases every element kind takes part in.
enum class Phase { kShow, kCompose, kStart, kActivate, kStop, kHide, kPreload };

// One kind of screen element as the screen walks see it: each phase on the record with an index.
// Kinds that have nothing to do in a phase keep the empty default.
class ElementKind {
 public:
  virtual ~ElementKind() = default;
  virtual int32_t Count() const = 0;
  virtual void Show(int32_t /*index*/, TAkc* /*slot*/) {}
  virtual void Compose(int32_t /*index*/) {}
  virtual void Start(int32_t /*index*/) {}
  virtual void Activate(int32_t /*index*/) {}
  virtual void Stop(int32_t /*index*/) {}
  virtual void Hide(int32_t /*index*/) {}
  virtual void Preload(int32_t /*index*/) {}

  // Runs `phase` on record `index`; indexes outside the table are skipped.
  void Run(Phase phase, int32_t index, TAkc* slot);
};

}  // namespace velmorant
