#pragma once

#include "display/history.hpp"
#include "display/page_window.hpp"
#include "sequence/element_host.hpp"
#include "sequence/element_kinds.hpp"

namespace velmorant {

class TDisplay;
class TMedia;
class TEkrany;

// The engine's own view of the context around it: what element kinds see, and the display
// engine, the play sequence, the screens, the kinds, the presentation window and the history.
class EngineHost : public ElementHost {
 public:
  virtual TDisplay& Display() = 0;
  virtual TMedia& Media() = 0;
  virtual TEkrany& Screens() = 0;
  virtual ElementKinds& Kinds() = 0;
  virtual PageWindow& Window() = 0;
  virtual THist& History() = 0;
};

}  // namespace velmorant
