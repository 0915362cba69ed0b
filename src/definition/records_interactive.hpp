#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "definition/actions.hpp"

namespace velmorant {

struct TLin {
  std::string Name;
  std::string FileName;
  std::string Target;
  uint8_t AutoOpen = 0;  // from edition 'e'
  int32_t MapIndex = -1;
  int32_t OpenRegion = -1;
  int32_t CloseRegion = -1;  // from edition 'e'
  friend bool operator==(const TLin&, const TLin&) = default;
};

// A document; the whole table exists from edition 'e'.
struct TDok {
  std::string Name;
  std::string Folder;
  std::string FileName;
  uint8_t AutoOpen = 1;
  int32_t MapIndex = -1;
  int32_t OpenRegion = -1;
  int32_t CloseRegion = -1;
  friend bool operator==(const TDok&, const TDok&) = default;
};

struct TPro {
  std::string Name;
  std::string FileName;
  std::string Parameters;
  uint8_t AutoStart = 1;
  int32_t MapIndex = -1;
  int32_t StartRegion = -1;
  int32_t StopRegion = -1;
  friend bool operator==(const TPro&, const TPro&) = default;
};

// A button of an image map.
struct TReg {
  int32_t Number = 0;  // position inside the map, set by the loader
  // Editions 'a' to 'c' carry a string and a byte here that the player ignores; kept so that a
  // written file matches the one read.
  std::string LegacyName;
  uint8_t LegacyByte = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 30;
  int32_t Height = 10;
  TAkc Action;
  std::string Hint;  // from edition 'c'
  friend bool operator==(const TReg&, const TReg&) = default;
};

struct TMap {
  int32_t Number = 0;  // position in the table, set by the loader
  std::string Name;
  std::string FileName;
  std::string HoverFileName;
  uint8_t UseMask = 0;
  int32_t X = 50;
  int32_t Y = 50;
  int32_t Width = 30;
  int32_t Height = 10;
  int32_t ShowDelay = 0;  // from edition 'd'
  int32_t ShowTransition = -1;
  int32_t HideAfter = 0;        // from edition 'd'
  int32_t HideTransition = -1;  // from edition 'd'
  int32_t FrameIndex = -1;
  std::vector<TReg> Regions;
  friend bool operator==(const TMap&, const TMap&) = default;
};

// A layer of a sandwich.
struct TWar {
  int32_t Owner = 0;  // number of the sandwich holding the layer, set by the loader
  std::string FileName;
  uint8_t Visible = 1;
  int32_t Region = -1;
  friend bool operator==(const TWar&, const TWar&) = default;
};

struct TSan {
  int32_t Number = 0;  // position in the table, set by the loader
  std::string Name;
  int32_t MapIndex = -1;
  int32_t ControlMapIndex = -1;
  int32_t X = 50;
  int32_t Y = 50;
  int32_t Width = 30;
  int32_t Height = 10;
  int32_t FrameIndex = -1;
  std::vector<TWar> Layers;
  friend bool operator==(const TSan&, const TSan&) = default;
};

}  // namespace velmorant
