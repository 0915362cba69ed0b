#pragma once

#include <cstdint>
#include <string>

namespace velmorant {

// The header of a definition: asset folder names and display requirements.
struct TOgolneFields {
  std::string BackgroundsFolder = "tla";
  std::string ImagesFolder = "obrazy";
  std::string CaptionsFolder = "napisy";
  std::string TextsFolder = "teksty";
  std::string SoundsFolder = "dzwieki";
  std::string FilmsFolder = "filmy";
  std::string LinksFolder = "linki";
  std::string ProcessesFolder = "procesy";
  std::string ButtonsFolder = "przyciski";
  std::string DocumentsFolder = "dokumenty";  // from edition 'e'
  int32_t ColourIndex = 0;
  int32_t ResolutionIndex = 0;
  uint8_t Centred = 0;
  std::string BorderPicture;
  uint8_t PreloadFiles = 0;
  friend bool operator==(const TOgolneFields&, const TOgolneFields&) = default;
};

}  // namespace velmorant
