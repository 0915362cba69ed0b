#include "sequence/screens.hpp"

#include <array>
#include <span>

#include "display/display.hpp"
#include "sequence/engine_host.hpp"

namespace velmorant {

namespace {

using S = ElementSet;

// One step of a walk: the kind of a set, in the Hide walk with the current-sound rule before it.
struct WalkStep {
  ElementSet set;
  bool current_sound_rule = false;
};

// The order in which each walk visits the element kinds; drawing follows it, so images cover the
// background and captions cover images.
constexpr std::array<WalkStep, 12> kShowOrder{{{S::kBackground},
                                               {S::kMaps},
                                               {S::kSandwiches},
                                               {S::kImages},
                                               {S::kCaptions},
                                               {S::kLinks},
                                               {S::kDocuments},
                                               {S::kProcesses},
                                               {S::kSounds},
                                               {S::kFilms},
                                               {S::kAnimations},
                                               {S::kTexts}}};
constexpr std::array<WalkStep, 12> kComposeOrder{{{S::kBackground},
                                                  {S::kImages},
                                                  {S::kCaptions},
                                                  {S::kMaps},
                                                  {S::kSandwiches},
                                                  {S::kLinks},
                                                  {S::kDocuments},
                                                  {S::kProcesses},
                                                  {S::kSounds},
                                                  {S::kFilms},
                                                  {S::kAnimations},
                                                  {S::kTexts}}};
constexpr std::array<WalkStep, 11> kStartOrder{{{S::kImages},
                                                {S::kCaptions},
                                                {S::kMaps},
                                                {S::kSandwiches},
                                                {S::kLinks},
                                                {S::kDocuments},
                                                {S::kProcesses},
                                                {S::kSounds},
                                                {S::kFilms},
                                                {S::kAnimations},
                                                {S::kTexts}}};
constexpr std::array<WalkStep, 11> kActivateOrder{{{S::kMaps},
                                                   {S::kSandwiches},
                                                   {S::kImages},
                                                   {S::kCaptions},
                                                   {S::kLinks},
                                                   {S::kDocuments},
                                                   {S::kProcesses},
                                                   {S::kSounds},
                                                   {S::kFilms},
                                                   {S::kAnimations},
                                                   {S::kTexts}}};
// Before the sounds are hidden, the sound that is to play on is decided.
constexpr std::array<WalkStep, 12> kHideOrder{{{S::kTexts},
                                               {S::kAnimations},
                                               {S::kFilms},
                                               {S::kSounds, true},
                                               {S::kLinks},
                                               {S::kDocuments},
                                               {S::kProcesses},
                                               {S::kCaptions},
                                               {S::kImages},
                                               {S::kSandwiches},
                                               {S::kMaps},
                                               {S::kBackground}}};

std::span<const WalkStep> OrderOf(Phase phase) {
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
      return nullptr;
  }
  return nullptr;
}

}  // namespace

void TEkrany::OnDefinitionLoaded() {
  shown_.assign(host_.Def().TEkrany.size(), 0);
}

int32_t TEkrany::Count() const {
  return int32_t(shown_.size());
}

const TEkr& TEkrany::Record(int32_t screen) const {
  return host_.Def().TEkrany[size_t(screen)];
}

void TEkrany::Walk(int32_t screen, Phase phase) {
  const TEkr& record = Record(screen);
  const ElementKinds& kinds = host_.Kinds();
  for (const WalkStep& step : OrderOf(phase)) {
    if (step.current_sound_rule) ApplyCurrentSoundRule(record);
    ElementKind* kind = kinds.Find(step.set);
    if (!kind) continue;
    if (step.set == S::kBackground) {
      kind->Run(phase, record.Background);
      continue;
    }
    for (int32_t index : SetOf(record, step.set)->Items()) kind->Run(phase, index);
  }
}

void TEkrany::ApplyCurrentSoundRule(const TEkr& screen) {
  int32_t& current = host_.CurrentSound();
  if (!screen.Sounds.Empty() && screen.Sounds.Last() != current) current = -1;
}

void TEkrany::Show(int32_t screen) {
  if (!IsValid(screen) || Shown(screen)) return;
  Walk(screen, Phase::kShow);
  shown_[size_t(screen)] = 1;
}

void TEkrany::InstallKeys(int32_t screen) {
  if (IsValid(screen)) host_.Display().ActiveKeys = Record(screen).Keys;
}

void TEkrany::Compose(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kCompose);
}

void TEkrany::Start(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kStart);
}

void TEkrany::Activate(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kActivate);
}

void TEkrany::Stop(int32_t screen) {
  if (IsValid(screen) && Shown(screen)) Walk(screen, Phase::kStop);
}

void TEkrany::Hide(int32_t screen) {
  if (!IsValid(screen)) return;
  shown_[size_t(screen)] = 0;
  Walk(screen, Phase::kHide);
}

void TEkrany::Preload(int32_t screen) {
  if (IsValid(screen)) Walk(screen, Phase::kPreload);
}

}  // namespace velmorant
