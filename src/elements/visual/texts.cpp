#include "elements/visual/texts.hpp"

#include <iostream>

#include "display/placement.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/rich_document_builder.hpp"
#include "platform/text/rtf_reader.hpp"
#include "platform/text/text_decoder.hpp"
#include "platform/text/warning_line.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

namespace {

constexpr const char* kPrintTitle = "Wydruk pliku ";

// The file name without its folders.
std::string BaseName(const std::string& name) {
  return name.substr(name.find_last_of("/\\") + 1);
}

}  // namespace

TTeksty::~TTeksty() {
  for (auto& e : live_) Release(*e);
}

void TTeksty::OnDefinitionLoaded() {
  for (auto& e : live_) Release(*e);
  live_.clear();
  for (size_t i = 0; i < host_.Def().TTeksty.size(); ++i) live_.push_back(std::make_unique<Live>());
}

const TTek& TTeksty::Record(int32_t index) const {
  return host_.Def().TTeksty[size_t(index)];
}

void TTeksty::Release(Live& e) {
  if (e.Control) host_.Children().RemoveChild(e.Control.get());
  e.Control.reset();
  e.Frame.reset();
  e.Phrases.clear();
  e.Shown = false;
}

std::optional<platform::RichDocument> TTeksty::LoadDocument(const TTek& tek) {
  const std::optional<std::vector<uint8_t>> bytes =
      host_.Assets().FileBytes(kAssetTexts, tek.FileName);
  if (!bytes) return std::nullopt;
  auto doc = platform::ReadRtf(
      *bytes, {host_.CodePageNumber(), &host_.Platform().Fonts(), &host_.Platform().Memory()});
  if (doc) return std::move(*doc);
  // What is not RTF is shown as plain text, as the rich-text control shows it.
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  const platform::FontRequest gui = platform::DefaultGuiFontRequest();
  return platform::PlainTextDocument(platform::TextDecoder().Decode(text, host_.CodePageNumber()),
                                     {gui.name, platform::kDefaultCharset}, gui.size_points * 2);
}

void TTeksty::CreateControl(int32_t index, platform::RichDocument doc) {
  Live& e = *live_[size_t(index)];
  const TTek& tek = Record(index);
  e.Control = std::make_unique<platform::RichTextView>(host_.Platform().Fonts(), &host_.Loop(),
                                                       &host_.Platform().TextClipboard(),
                                                       &host_.Platform().Memory());
  platform::RichTextView& view = *e.Control;
  // A view too large for the budget shows nothing; the page goes on.
  view.on_refused = [name = host_.ToUtf8(tek.FileName)](const std::string& why) {
    std::cerr << platform::WarningLine(name, why);
  };
  view.SetVisible(false);
  view.SetBounds(e.Rect);
  view.SetBackground(platform::ToPixel(tek.BackColour));
  view.SetDocument(std::move(doc));
  host_.Children().AddChild(&view);
  host_.Children().SendToBack(&view);
  e.Phrases = platform::FindPhrases(view.Document(), size_t(tek.Targets.Count()));
  view.SetCursor(platform::kCrArrow);
  view.on_mouse_move = [this, index](int32_t x, int32_t y) { HoverPhrase(index, x, y); };
  view.on_mouse_down = [this, index](platform::MouseButton b, int32_t x, int32_t y) {
    return ClickPhrase(index, b, x, y);
  };
}

void TTeksty::TakeOverRegions(int32_t index) {
  const TTek& tek = Record(index);
  ControlRegistry& controls = host_.Controls();
  controls.ShowMap(tek.MapIndex);
  if (tek.ShowRegion != -1) {
    controls.SetOnClick(tek.MapIndex, tek.ShowRegion, [this, index] { ShowText(index); });
  }
  if (tek.HideRegion != -1) {
    controls.SetOnClick(tek.MapIndex, tek.HideRegion, [this, index] { HideText(index); });
  }
  if (tek.PrintRegion != -1) {
    controls.SetOnClick(tek.MapIndex, tek.PrintRegion, [this, index] { PrintText(index); });
  }
}

void TTeksty::Show(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (e.Shown) return;
  const TTek& tek = Record(index);
  if (!tek.FileName.empty()) {
    e.Rect = {};
    Place(tek.X, tek.Y, tek.W, tek.H, e.Rect, host_.Drawing().ClientSize());
    e.Frame = std::make_unique<TRamkaRender>(host_.Drawing(), tek.FrameIndex, e.Rect);
    // A missing file shows no view; the map and its regions still work.
    if (std::optional<platform::RichDocument> doc = LoadDocument(tek)) {
      CreateControl(index, std::move(*doc));
    }
    if (tek.MapIndex != -1) TakeOverRegions(index);
  }
  e.Shown = true;
}

void TTeksty::Compose(int32_t index) {
  if (live_[size_t(index)]->Shown)
    host_.Controls().RunMapPhase(Phase::kCompose, Record(index).MapIndex);
}

void TTeksty::Start(int32_t index) {
  if (live_[size_t(index)]->Shown)
    host_.Controls().RunMapPhase(Phase::kStart, Record(index).MapIndex);
}

void TTeksty::Activate(int32_t index) {
  const Live& e = *live_[size_t(index)];
  if (!e.Shown || !e.Control) return;
  const TTek& tek = Record(index);
  host_.Controls().RunMapPhase(Phase::kActivate, tek.MapIndex);
  if (tek.VisibleAtStart) ShowText(index);
}

void TTeksty::Stop(int32_t index) {
  const Live& e = *live_[size_t(index)];
  if (!e.Shown || !e.Control) return;
  host_.Controls().RunMapPhase(Phase::kStop, Record(index).MapIndex);
  HideText(index);
}

void TTeksty::Hide(int32_t index) {
  const TTek& tek = Record(index);
  // A kept text stays loaded, scrolled where it was, for the next screen that lists it.
  if (tek.Keep) return;
  Live& e = *live_[size_t(index)];
  host_.Controls().RunMapPhase(Phase::kHide, tek.MapIndex);
  Release(e);
}

void TTeksty::Preload(int32_t index) {
  const TTek& tek = Record(index);
  if (tek.FileName.empty()) return;
  host_.Assets().WarmUp(kAssetTexts, tek.FileName);
  if (tek.MapIndex >= 0) host_.Controls().RunMapPhase(Phase::kPreload, tek.MapIndex);
}

void TTeksty::ShowText(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Control) return;
  e.Control->SetVisible(true);
  if (e.Frame) {
    e.Frame->SaveBackground();
    e.Frame->Draw(true);
  }
  host_.Children().Focus(e.Control.get());
}

void TTeksty::HideText(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Control) return;
  e.Control->SetVisible(false);
  if (e.Frame) e.Frame->Draw(false);
}

void TTeksty::PrintText(int32_t index) {
  const Live& e = *live_[size_t(index)];
  if (!e.Control) return;
  const TTek& tek = Record(index);
  host_.Platform().Printing().Print(kPrintTitle + host_.ToUtf8(tek.FileName),
                                    host_.ToUtf8(BaseName(tek.FileName)), e.Control->Document());
}

int32_t TTeksty::PhraseAt(int32_t index, int32_t x, int32_t y) const {
  const Live& e = *live_[size_t(index)];
  const int32_t p = e.Control->CharFromPos({x, y});
  for (size_t i = 0; i < e.Phrases.size(); ++i) {
    if (p >= e.Phrases[i].start && p < e.Phrases[i].end) return int32_t(i);
  }
  return -1;
}

void TTeksty::HoverPhrase(int32_t index, int32_t x, int32_t y) {
  platform::RichTextView& view = *live_[size_t(index)]->Control;
  const int16_t cursor = PhraseAt(index, x, y) >= 0 ? platform::kCrMultiDrag : platform::kCrArrow;
  if (view.Cursor() != cursor) view.SetCursor(cursor);
}

bool TTeksty::ClickPhrase(int32_t index, platform::MouseButton button, int32_t x, int32_t y) {
  // Only the left button puts the caret where it clicks.
  if (button != platform::MouseButton::kLeft) return false;
  const TTek& tek = Record(index);
  const int32_t phrase = PhraseAt(index, x, y);
  if (phrase < 0 || phrase >= tek.Targets.Count()) return false;
  host_.LeavePage({kActionGoTo, tek.Targets[size_t(phrase)]});
  return true;
}

}  // namespace velmorant
