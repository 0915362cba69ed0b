#include "elements/visual/captions.hpp"

#include "display/placement.hpp"
#include "display/render_helpers.hpp"
#include "platform/fs/codepage.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_request.hpp"
#include "platform/text/text_decoder.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

using platform::Bitmap;

namespace {

uint32_t AlignmentOf(int32_t x) {
  if (x == -2) return platform::kDtCenter;
  if (x == -1) return platform::kDtRight;
  return platform::kDtLeft;
}

}  // namespace

std::string DecodeCaptionText(std::string_view bytes, int32_t charset,
                              int32_t presentation_code_page) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const int32_t code_page =
      platform::CodePageForCharset(uint8_t(charset & 0xFF), presentation_code_page);
  std::string utf8;
  for (char32_t c : platform::TextDecoder().Decode(bytes, code_page)) platform::AppendUtf8(utf8, c);
  return utf8;
}

void TNapisy::OnDefinitionLoaded() {
  live_.clear();
  shared_.clear();
  for (size_t i = 0; i < host_.Def().TNapisy.size(); ++i) {
    live_.push_back(std::make_unique<Live>(host_.Drawing(), host_.Loop()));
  }
}

const TNap& TNapisy::Record(int32_t index) const {
  return host_.Def().TNapisy[size_t(index)];
}

std::optional<std::string> TNapisy::ReadText(const TNap& nap) {
  std::optional<std::vector<uint8_t>> bytes =
      host_.Assets().FileStart(kAssetCaptions, nap.FileName, kMaxCaptionBytes);
  if (!bytes) return std::nullopt;
  return DecodeCaptionText({reinterpret_cast<const char*>(bytes->data()), bytes->size()},
                           nap.Charset, host_.CodePageNumber());
}

std::optional<MaskedPicture> TNapisy::Render(const TNap& nap, const std::string& text,
                                             platform::Rect& box,
                                             std::optional<platform::Rect>& part,
                                             std::optional<uint64_t>& refused_bytes,
                                             std::string& refusal) {
  platform::FontRequest wanted;
  wanted.name = host_.ToUtf8(nap.FontName);
  wanted.size_points = nap.FontSize;
  wanted.bold = nap.Bold != 0;
  wanted.italic = nap.Italic != 0;
  wanted.underline = nap.Underline != 0;
  wanted.strike_out = nap.StrikeOut != 0;
  wanted.charset = uint8_t(nap.Charset & 0xFF);
  const platform::Font font = host_.Platform().Fonts().CreateFont(wanted);

  // H other than 0 is a percentage of the client height for the box's place and its size alike;
  // H 0 fits the box to the wrapped text.
  Place(nap.X, nap.Y, nap.W, nap.H, box, host_.Drawing().ClientSize());
  const int64_t width = std::max<int64_t>(0, box.Width());
  int64_t height = std::max<int64_t>(0, box.Height());
  if (nap.H == 0) {
    height = platform::CalcTextRect(font, text, {0, 0, int32_t(width), 0}, platform::kDtWordBreak)
                 .Height();
  }
  box.bottom = int32_t(std::min<int64_t>(int64_t{box.top} + height, INT32_MAX));
  const platform::Size client = host_.Drawing().ClientSize();
  const platform::Rect visible = box.Intersect({0, 0, client.width, client.height});
  if (width == 0 || height <= 0 || visible.IsEmpty()) return std::nullopt;
  // The effects run over the whole box, also where it reaches past the window; the pictures stop
  // at the window's right and bottom edges. A box larger than four windows is cut to the window
  // altogether: an absurd box costs no more than the window.
  const int64_t window_area = int64_t{client.width} * client.height;
  const bool whole_box = platform::FitsBitmap(width, height) && width * height <= 4 * window_area;
  const platform::Rect pictured =
      whole_box ? platform::Rect{box.left, box.top, std::min(box.right, client.width),
                                 std::min(box.bottom, client.height)}
                : visible;
  const platform::Rect local{0, 0, int32_t(pictured.Width()), int32_t(pictured.Height())};
  // The whole box, in the picture's coordinates.
  const platform::Rect whole = box.Offset(-pictured.left, -pictured.top);

  std::string key = text;
  for (const int64_t v :
       {int64_t{nap.FontSize}, int64_t{nap.Bold}, int64_t{nap.Italic}, int64_t{nap.Underline},
        int64_t{nap.StrikeOut}, int64_t{nap.Charset}, int64_t{nap.Colour}, int64_t{nap.X},
        int64_t{local.right}, int64_t{local.bottom}, int64_t{whole.left}, int64_t{whole.top},
        int64_t{whole.right}, int64_t{whole.bottom}}) {
    key += '\0' + std::to_string(v);
  }
  key += '\0' + nap.FontName + '\0' + nap.TextureFile;
  const auto place = [&] {
    if (whole_box) {
      part = whole;
    } else {
      box = visible;
    }
  };
  if (auto it = shared_.find(key); it != shared_.end()) {
    SharedPicture face = it->second.face.lock();
    SharedPicture mask = it->second.mask.lock();
    if (face && mask) {
      place();
      return MaskedPicture{std::move(face), std::move(mask)};
    }
    shared_.erase(it);
  }

  SharedPicture texture;
  if (!nap.TextureFile.empty()) {
    texture = host_.Assets().Picture(kAssetBackgrounds, nap.TextureFile);
    if (!texture) return std::nullopt;
  }
  // Both pictures are charged before they are made; what the budget refuses is not laid out
  // again until it could fit.
  platform::MemoryBudget& budget = host_.Platform().Memory();
  const uint64_t both = 2 * platform::PictureBytes(local.right, local.bottom);
  // Asked for both at once: a mask made only to be dropped with its face refused would cost a
  // caption that shows nothing all the work of one that shows.
  SharedPicture mask;
  if (budget.Fits(both)) {
    mask = platform::MakeChargedPicture(budget, local.right, local.bottom, [&] {
      Bitmap m(local.right, local.bottom, platform::kWhite);
      platform::Rect draw = whole;
      platform::DrawText(m, font, text, draw, platform::kDtWordBreak | AlignmentOf(nap.X),
                         platform::kBlack);
      return m;
    });
  }
  SharedPicture face;
  if (mask) {
    face = platform::MakeChargedPicture(budget, local.right, local.bottom, [&] {
      Bitmap f(local.right, local.bottom);
      if (texture) {
        platform::Canvas(f).CopyRect(whole, *texture, texture->Bounds());
      } else {
        f.Fill(platform::ToPixel(nap.Colour));
      }
      PrepareMaskedImage(f, mask.get());
      return f;
    });
  }
  if (!face) {
    mask.reset();
    refused_bytes = both;
    refusal = "its pictures of " + std::to_string(local.right) + " x " +
              std::to_string(local.bottom) + " " + budget.Refusal(*refused_bytes);
    return std::nullopt;
  }
  place();
  // Entries of pictures nobody holds any more go as new ones come.
  std::erase_if(shared_, [](const auto& entry) { return entry.second.face.expired(); });
  shared_[key] = SharedFace{face, mask};
  return MaskedPicture{std::move(face), std::move(mask)};
}

void TNapisy::Show(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (e.Appearance.Shown()) return;
  const TNap& nap = Record(index);
  e.Drawn = false;
  platform::MemoryBudget& budget = host_.Platform().Memory();
  // Refused for want of memory, it is laid out again only once its pictures would fit.
  const bool refused = e.RefusedBytes && !budget.Fits(*e.RefusedBytes);
  if (!nap.FileName.empty() && !refused) {
    // A caption whose file or texture is missing draws nothing.
    if (const std::optional<std::string> text = ReadText(nap)) {
      platform::Rect box;
      std::optional<platform::Rect> part;
      const bool warned = e.RefusedBytes.has_value();
      e.RefusedBytes.reset();
      std::string refusal;
      std::optional<MaskedPicture> picture = Render(nap, *text, box, part, e.RefusedBytes, refusal);
      if (e.RefusedBytes && !warned) host_.Assets().Warn(kAssetCaptions, nap.FileName, refusal);
      if (picture) {
        TimedAppearance::Look look;
        look.appear_transition = nap.TransitionIn;
        look.disappear_transition = nap.TransitionOut;
        look.frame = nap.FrameIndex;
        look.can_disappear = nap.DurationMs > 0;
        look.timed = nap.DelayMs > 0 || nap.DurationMs > 0;
        e.Appearance.Prepare(look, box, std::move(*picture), part);
      }
    }
  }
  e.Appearance.SetShown();
}

void TNapisy::Compose(int32_t index) {
  Live& e = *live_[size_t(index)];
  const TNap& nap = Record(index);
  if (!e.Appearance.Shown() || nap.DelayMs != 0) return;
  // A caption with a real appear effect comes in at Start, over the page's transition.
  if (TransitionAnimates(host_.Def().TPrzeniki, nap.TransitionIn)) return;
  e.Appearance.DrawAppearing();
  e.Drawn = true;
}

void TNapisy::Start(int32_t index) {
  Live& e = *live_[size_t(index)];
  if (!e.Appearance.Shown()) return;
  const TNap& nap = Record(index);
  if (nap.DelayMs > 0) {
    e.Appearance.AppearAfter(nap.DelayMs, nap.DurationMs);
  } else if (nap.DelayMs == 0) {
    if (!e.Drawn) e.Appearance.DrawAppearing();
    if (nap.DurationMs > 0) e.Appearance.DisappearAfter(nap.DurationMs);
  }
}

void TNapisy::Stop(int32_t index) {
  TimedAppearance& a = live_[size_t(index)]->Appearance;
  if (a.Shown()) a.DisarmTimer();
}

void TNapisy::Hide(int32_t index) {
  Live& e = *live_[size_t(index)];
  e.Appearance.Release();
  e.Drawn = false;
}

void TNapisy::Preload(int32_t index) {
  const TNap& nap = Record(index);
  if (nap.FileName.empty()) return;
  host_.Assets().WarmUp(kAssetCaptions, nap.FileName);
  if (!nap.TextureFile.empty()) host_.Assets().WarmUp(kAssetBackgrounds, nap.TextureFile);
}

}  // namespace velmorant
