#pragma once

#include <cstdint>
#include <string>

#include "definition/actions.hpp"
#include "definition/definition.hpp"
#include "display/asset_source.hpp"
#include "display/drawing_context.hpp"
#include "display/mouse_regions.hpp"
#include "platform/backend.hpp"
#include "platform/film/film_player.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/window/window.hpp"
#include "sequence/control_registry.hpp"

namespace velmorant {

// Child windows over the presentation window (rich-text views), composited when it is presented.
class ChildControls {
 public:
  virtual ~ChildControls() = default;
  virtual void AddChild(platform::ChildControl* child) = 0;
  virtual void RemoveChild(platform::ChildControl* child) = 0;
  // Puts a child under the others.
  virtual void SendToBack(platform::ChildControl* child) = 0;
  // The child that gets the keys the window's shortcuts leave; nullptr for none.
  virtual void Focus(platform::ChildControl* child) = 0;
};

// Everything an element kind may use of the player around it.
class ElementHost {
 public:
  virtual ~ElementHost() = default;

  virtual const Definition& Def() const = 0;
  virtual AssetSource& Assets() = 0;
  // The surfaces elements draw on, the pause between transition steps, transitions and frames.
  virtual DrawingContext& Drawing() = 0;
  // Element timers belong to the presentation window's loop.
  virtual platform::EventLoop& Loop() = 0;
  virtual MouseRegions& Regions() = 0;
  virtual ControlRegistry& Controls() = 0;
  virtual ChildControls& Children() = 0;
  // Leaves the page: the action becomes the pending one and the window is asked to close, which
  // runs the page change.
  virtual void LeavePage(const TAkc& action) = 0;

  // Sounds, launching, printing, fonts and the event log.
  virtual platform::Backend& Platform() = 0;
  // The presentation window's one film player.
  virtual platform::FilmPlayer& Film() = 0;
  // The sound record that plays on across pages; -1 none.
  virtual int32_t& CurrentSound() = 0;
  // Text from the definition (code-page bytes) in UTF-8.
  virtual std::string ToUtf8(const std::string& bytes) const = 0;
  // The Windows code page of the presentation's texts (--codepage).
  virtual int32_t CodePageNumber() const = 0;
};

}  // namespace velmorant
