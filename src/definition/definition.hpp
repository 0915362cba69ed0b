#pragma once

#include <vector>

#include "definition/records_display.hpp"
#include "definition/records_header.hpp"
#include "definition/records_interactive.hpp"
#include "definition/records_media.hpp"
#include "definition/records_sequence.hpp"
#include "definition/records_visual.hpp"

namespace velmorant {

// Enter, Backspace and Escape: the shortcuts a presentation has until its file replaces them.
inline std::vector<TKla> BuiltInShortcuts() {
  return {{13, {kActionNext, 0}}, {8, {kActionPrevious, 0}}, {27, {kActionEnd, 0}}};
}

// Everything an info.med file holds: its edition, the header and the seventeen tables in file
// order.
struct Definition {
  char edition = 'g';
  TOgolneFields header;
  std::vector<TMed> TMedia;
  std::vector<TEkr> TEkrany;
  std::vector<TTlo> TTla;
  std::vector<TObr> TObrazy;
  std::vector<TNap> TNapisy;
  std::vector<TTek> TTeksty;
  std::vector<TDzw> TDzwieki;
  std::vector<TFil> TFilmy;
  std::vector<TAni> TAnimacje;  // from edition 'd'
  std::vector<TLin> TLinki;
  std::vector<TDok> TDoki;  // from edition 'e'
  std::vector<TPro> TProcesy;
  std::vector<TMap> TMapy;
  std::vector<TSan> TSandwicze;
  std::vector<TKla> TKlawisze = BuiltInShortcuts();
  std::vector<TRam> TRamki;
  std::vector<TPrz> TPrzeniki;
  friend bool operator==(const Definition&, const Definition&) = default;
};

// Sets the numbers the loader gives: sounds, maps, regions, sandwiches and the owners of layers.
void NumberRecords(Definition& definition);

}  // namespace velmorant
