#pragma once

// What a font file's faces say about themselves, read the way the system's font setup reads them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/freetype_handles.hpp"

namespace velmorant::platform {

// Weights and slants on the system font setup's scale.
inline constexpr double kWeightRegular = 80;
inline constexpr double kWeightDemibold = 180;
inline constexpr double kWeightBold = 200;
inline constexpr int kSlantRoman = 0;
inline constexpr int kSlantItalic = 100;
inline constexpr int kSlantOblique = 110;
inline constexpr double kWidthNormal = 100;

struct ListedFace {
  std::string file;
  int index = 0;
  std::vector<std::string> families;  // the English name first
  double weight = kWeightRegular;
  int slant = kSlantRoman;
  double width = kWidthNormal;
  int64_t version = -1;  // the head table's revision, 16.16; -1 when the face has none
};

// An OpenType weight class (100..1000, or 1..9 as some old fonts give it) on that scale.
double WeightFromOpenType(int weight_class);

// The scalable faces of `file`; none when it is no font FreeType can open.
std::vector<ListedFace> ScanFontFile(FT_Library library, const std::string& file);

}  // namespace velmorant::platform
