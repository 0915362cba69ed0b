#include "sequence/element_kind.hpp"

namespace velmorant {

void ElementKind::Run(Phase phase, int32_t index) {
  if (index < 0 || index >= Count()) return;
  switch (phase) {
    case Phase::kShow:
      Show(index);
      break;
    case Phase::kCompose:
      Compose(index);
      break;
    case Phase::kStart:
      Start(index);
      break;
    case Phase::kActivate:
      Activate(index);
      break;
    case Phase::kStop:
      Stop(index);
      break;
    case Phase::kHide:
      Hide(index);
      break;
    case Phase::kPreload:
      Preload(index);
      break;
  }
}

}  // namespace velmorant
