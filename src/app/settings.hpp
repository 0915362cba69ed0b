#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/records_header.hpp"
#include "display/asset_source.hpp"
#include "platform/fs/asset_finder.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/gfx/decode_result.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant {

inline constexpr std::string_view kDisplayCheckCaption = "Velmorant 3.0";
inline constexpr std::string_view kQuestionLowResolution =
    "Za mała rozdzielczość monitora... Startujemy?";
inline constexpr std::string_view kQuestionFewColours = "Trochę za mało kolorów... Startujemy?";
inline constexpr std::string_view kQuestionBoth =
    "Za mało kolorów i rozdzielczości monitora... Startujemy?";

// The outcome of the display check: 0 fine, -1 screen too narrow, -2 too few colours, -3 both.
struct DisplayCheck {
  int32_t result = 0;
  platform::Rect rect;
  friend bool operator==(const DisplayCheck&, const DisplayCheck&) = default;
};

// The question the display check asks for a result, or empty for 0.
std::string_view DisplayQuestion(int32_t result);

// Presentation-wide settings: the header of the definition and the services built on it.
class TOgolne : public TOgolneFields {
 public:
  // `presentation_folder` holds info.med and the asset folders.
  TOgolne(const std::filesystem::path& presentation_folder, platform::CodePage code_page);

  // The presentation folder, ending in '/'.
  std::string ExeFolder;

  // The code page of the presentation's texts.
  const platform::CodePage& Codes() const { return finder_.Codes(); }

  void SetHeader(const TOgolneFields& header) { static_cast<TOgolneFields&>(*this) = header; }

  // ExeFolder + the folder of the kind, without a trailing '/'; empty for an unknown kind.
  std::string AssetFolder(int kind);
  // The file for a name from the definition; empty for an unknown kind or a name that would leave
  // the presentation folder, by its name or through a link. With `alt_assets`, "ext_" + name is
  // preferred when that file exists.
  std::string AssetPath(int kind, std::string_view name, bool alt_assets);
  // ExeFolder + a UTF-8 path relative to it, matched case-insensitively; empty when that would
  // leave the presentation folder.
  std::string PathInside(std::string_view relative);
  // The mask companion of an asset path: its name inside the presentation folder with the last
  // three characters replaced by "msk", matched case-insensitively; empty when that would leave
  // the folder.
  std::string MaskPath(const std::string& path);
  // A path for logs: relative to the presentation folder when inside it.
  std::string LogPath(const std::string& path) const;
  // Brings a file of the presentation into the system's cache; false if it cannot be read.
  bool WarmUp(const std::string& path) const;
  // A whole regular file of the presentation, of at most `max_bytes`; refused when its real path
  // leaves the presentation folder.
  platform::DecodeResult<std::vector<uint8_t>> ReadFile(const std::string& path,
                                                        uint64_t max_bytes) const;

  // The width and height of ResolutionIndex; 0 x 0 for none.
  platform::Size DesignSize() const;
  // The window rectangle and the check result for a screen of the given size and colour depth.
  DisplayCheck DisplayRect(int32_t screen_width, int32_t screen_height, int32_t bits) const;

 private:
  const std::string* FolderOf(int kind) const;
  // ExeFolder + relative when the relative path's real path stays inside the folder.
  std::string Confined(const std::optional<std::string>& relative) const;
  bool IsInside(const std::string& path) const;

  platform::AssetFinder finder_;
};

}  // namespace velmorant
