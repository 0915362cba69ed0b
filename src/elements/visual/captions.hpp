#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/records_visual.hpp"
#include "display/timed_appearance.hpp"
#include "platform/gfx/bitmap.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// What is read of a caption file: a caption is a line or a paragraph, and the layout of a longer
// text would cost a page change seconds.
inline constexpr uint64_t kMaxCaptionBytes = uint64_t{1} << 20;

// A caption file's text in UTF-8: its bytes up to the first zero byte, in the code page of the
// font's character set (DEFAULT_CHARSET: the presentation's).
std::string DecodeCaptionText(std::string_view bytes, int32_t charset,
                              int32_t presentation_code_page);

// Captions: a text file laid out with word wrapping in a placed box and drawn as cut-out
// letters, filled with a colour or a stretched texture; they come and go like images.
class TNapisy final : public ElementKind {
 public:
  explicit TNapisy(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // The part of the caption's box inside the window (empty until it is shown with a file).
  platform::Rect BoxOf(int32_t index) const { return live_[size_t(index)]->Appearance.Rect(); }

 private:
  struct Live {
    Live(DrawingContext& drawing, platform::EventLoop& loop) : Appearance(drawing, loop) {}
    TimedAppearance Appearance;  // the face cut out by the glyph mask, frame and timer
    bool Drawn = false;          // composed into the page's picture already
    // The bytes of the caption's pictures, while the memory budget refuses them.
    std::optional<uint64_t> RefusedBytes;
  };

  const TNap& Record(int32_t index) const;
  // The caption file's text in UTF-8, decoded by the font's character set.
  std::optional<std::string> ReadText(const TNap& nap);
  // The face (colour or texture) and the glyph mask for `box`, and the box's extent in them
  // (`part`) where they are cut at the window's edge; nothing when they cannot be made, with
  // their bytes and why when the memory budget refused them.
  std::optional<MaskedPicture> Render(const TNap& nap, const std::string& text, platform::Rect& box,
                                      std::optional<platform::Rect>& part,
                                      std::optional<uint64_t>& refused_bytes, std::string& refusal);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
  // Pictures alive for one caption serve every caption drawn the same way: the same text, font,
  // colour or texture, and box.
  struct SharedFace {
    std::weak_ptr<const platform::Bitmap> face, mask;
  };
  std::map<std::string, SharedFace> shared_;
};

}  // namespace velmorant
