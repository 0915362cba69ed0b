#pragma once

#include <cstdint>
#include <string>

#include "definition/actions.hpp"

namespace velmorant {

// A page of the play sequence.
struct TMed {
  int32_t Screen = -1;
  int32_t AdvanceMs = 0;  // from edition 'd'
  int32_t TransitionIndex = -1;
  friend bool operator==(const TMed&, const TMed&) = default;
};

// A screen: a background and the sets of elements shown with it.
struct TEkr {
  std::string Name;
  int32_t Background = -1;
  TIntWektor Images;
  TIntWektor Captions;
  TIntWektor Texts;
  TIntWektor Sounds;
  TIntWektor Films;
  TIntWektor Animations;  // from edition 'd'
  TIntWektor Links;
  TIntWektor Documents;  // from edition 'e'
  TIntWektor Processes;
  TIntWektor Maps;
  TIntWektor Sandwiches;
  TIntWektor Keys;
  int32_t Tag = 0;
  friend bool operator==(const TEkr&, const TEkr&) = default;
};

// A keyboard shortcut: a Windows virtual-key code and its action.
struct TKla {
  int32_t key = 0;
  TAkc action;
  friend bool operator==(const TKla&, const TKla&) = default;
};

}  // namespace velmorant
