#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "definition/records_visual.hpp"
#include "display/frames.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/rich_document.hpp"
#include "platform/text/rich_text_view.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Texts: rich-text documents in a scrolling view over the window. Every underlined run is a
// phrase; clicking phrase k goes to the page the text's k-th target names. A text's map may show,
// hide and print it.
class TTeksty final : public ElementKind {
 public:
  explicit TTeksty(ElementHost& host) : host_(host) {}
  ~TTeksty() override;
  TTeksty(const TTeksty&) = delete;
  TTeksty& operator=(const TTeksty&) = delete;

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Activate(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // The region callbacks of the text's map.
  void ShowText(int32_t index);
  void HideText(int32_t index);
  void PrintText(int32_t index);

  // The view of a shown text; nothing when there is none.
  platform::RichTextView* View(int32_t index) const { return live_[size_t(index)]->Control.get(); }
  const std::vector<platform::Phrase>& Phrases(int32_t index) const {
    return live_[size_t(index)]->Phrases;
  }

 private:
  struct Live {
    bool Shown = false;
    std::unique_ptr<platform::RichTextView> Control;
    std::unique_ptr<TRamkaRender> Frame;
    platform::Rect Rect;
    std::vector<platform::Phrase> Phrases;
  };

  const TTek& Record(int32_t index) const;
  std::optional<platform::RichDocument> LoadDocument(const TTek& tek);
  void CreateControl(int32_t index, platform::RichDocument doc);
  void TakeOverRegions(int32_t index);
  void Release(Live& e);
  // The phrase at a client point of the view; -1 for none.
  int32_t PhraseAt(int32_t index, int32_t x, int32_t y) const;
  void HoverPhrase(int32_t index, int32_t x, int32_t y);
  // True when the press followed a phrase.
  bool ClickPhrase(int32_t index, platform::MouseButton button, int32_t x, int32_t y);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
};

}  // namespace velmorant
