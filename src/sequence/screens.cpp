#include "sequence/screens.hpp"

#include <array>
#include <span>

#include "app/player.hpp"

namespace velmorant {

namespace {

using S = ElementSet;

// The order in which each walk visits the element kinds; drawing follows it, so images cover the
// background and captions cover images.
constexpr std::array kShowOrder{S::kBackground, S::kMaps,  S::kSandwiches, S::kImages,
                                S::kCaptions,   S::kLinks, S::kDocuments,  S::kProcesses,
                                S::kSounds,     S::kFilms, S::kAnimations, S::kTexts};
constexpr std::array kComposeOrder{S::kBackground, S::kImages, S::kCaptions,   S::kMaps,
                                   S::kSandwiches, S::kLinks,  S::kDocuments,  S::kProcesses,
                                   S::kSounds,     S::kFilms,  S::kAnimations, S::kTexts};
constexpr std::array kStartOrder{S::kImages, S::kCaptions,   S::kMaps,      S::kSandwiches,
                                 S::kLinks,  S::kDocuments,  S::kProcesses, S::kSounds,
                                 S::kFilms,  S::kAnimations, S::kTexts};
constexpr std::array kActivateOrder{S::kMaps,  S::kSandwiches, S::kImages,    S::kCaptions,
                                    S::kLinks, S::kDocuments,  S::kProcesses, S::kSounds,
                                    S::kFilms, S::kAnimations, S::kTexts};
constexpr std::array kHideOrder{S::kTexts,     S::kAnimations, S::kFilms,      S::kCurrentSoundRule,
                                S::kSounds,    S::kLinks,      S::kDocuments,  S::kProcesses,
                                S::kCaptions,  S::kImages,     S::kSandwiches, S::kMaps,
                                S::kBackground};

std::span<const ElementSet> OrderOf(Phase phase) {
  switch (phase) {
    case Phase::kShow:
      return kShowOrder;
    case Phase::kCompose:
      return kComposeOrder;
    case Phase::kStart:
      return kStartOrder;
    case Phase::kActivate:
    case Phase::kStop:
      return kActivateOrder;  // Stop visits the kinds in the Activate order
    case Phase::kHide:
      return kHideOrder;
    case Phase::kPreload:
      return kShowOrder;
  }
  return {};
}

const TIntWektor* SetOf(const TEkr& screen, ElementSet set) {
  switch (set) {
    case S::kMaps:
      return &screen.Maps;
    case S::kSandwiches:
      return &screen.Sandwiches;
    case S::kImages:
      return &screen.Images;
    case S::kCaptions:
      return &screen.Captions;
    case S::kLinks:
      return &screen.Links;
    case S::kDocuments:
      return &screen.Documents;
    case S::kProcesses:
      return &screen.Processes;
    case S::kSounds:
      return &screen.Sounds;
    case S::kFilms:
      return &screen.Films;
    case S::kAnimations:
      return &screen.Animations;
    case S::kTexts:
      return &screen.Texts;
    case S::kBackground:
    case S::kCurrentSoundRule:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

void TEkrany::OnDefinitionLoaded() {
  shown_.assign(player_.definition.TEkrany.size(), 0);
}

int32_t TEkrany::Count() const {
  return int32_t(shown_.size());
}

const TEkr& TEkrany::Record(int32_t screen) const {
  return player_.definition.TEkrany[size_t(screen)];
}

void TEkrany::Walk(int32_t screen, Phase phase, TAkc* slot) {
  const TEkr& record = Record(screen);
  for (ElementSet set : OrderOf(phase)) {
    if (set == S::kCurrentSoundRule) {
      ApplyCurrentSoundRule(record);
      continue;
    }
    ElementKind* kind = player_.KindFor(set);
    if (!kind) continue;
    if (set == S::kBackground) {
      kind->Run(phase, record.Background, slot);
      continue;
    }
    for (int32_t index : SetOf(record, set)->Items()) kind->Run(phase, index, slot);
  }
}

void TEkrany::ApplyCurrentSoundRule(const TEkr& screen) {
  if (!screen.Sounds.Empty() && screen.Sounds.Last() != player_.display.CurrentSound) {
    player_.display.CurrentSound = -1;
  }
}

void TEkrany::Show(int32_t screen, TAkc* slot) {
  if (!IsValid(screen) || Shown(screen)) return;
  Walk(screen, Phase::kShow, slot);
  shown_[size_t(screen)] = 1;
}

void TEkrany::InstallKeys(int32_t screen) {
  if (IsValid(screen)) player_.display.ActiveKeys = Record(screen).Keys;
}

void TEkrany::Compose(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kCompose, nullptr);
}

void TEkrany::Start(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kStart, nullptr);
}

void TEkrany::Activate(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kActivate, nullptr);
}

void TEkrany::Stop(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kStop, nullptr);
}

void TEkrany::Hide(int32_t screen) {
  if (!IsValid(screen)) return;
  shown_[size_t(screen)] = 0;
  Walk(screen, Phase::kHide, nullptr);
}

void TEkrany::Preload(int32_t screen) {
  if (IsValid(screen)) Walk(screen, Phase::kPreload, nullptr);
}

}  // namespace velmorant
