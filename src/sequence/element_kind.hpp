#pragma once

#include <cstdint>

namespace velmorant {

// The page phases every element kind takes part in.
enum class Phase { kShow, kCompose, kStart, kActivate, kStop, kHide, kPreload };

// The element sets of a screen, in the words of the walk tables; each indexes one kind.
enum class ElementSet {
  kBackground,
  kMaps,
  kSandwiches,
  kImages,
  kCaptions,
  kLinks,
  kDocuments,
  kProcesses,
  kSounds,
  kFilms,
  kAnimations,
  kTexts,
};
inline constexpr int kElementSetCount = 12;

// One kind of screen element as the screen walks see it: each phase on the record with an index.
// Kinds that have nothing to do in a phase keep the empty default. A kind reaches the rest of the
// player only through the host it was made with.
class ElementKind {
 public:
  virtual ~ElementKind() = default;
  // The definition was loaded: size the run-time state of every record.
  virtual void OnDefinitionLoaded() {}
  virtual int32_t Count() const = 0;
  virtual void Show(int32_t /*index*/) {}
  virtual void Compose(int32_t /*index*/) {}
  virtual void Start(int32_t /*index*/) {}
  virtual void Activate(int32_t /*index*/) {}
  virtual void Stop(int32_t /*index*/) {}
  virtual void Hide(int32_t /*index*/) {}
  virtual void Preload(int32_t /*index*/) {}

  // Runs `phase` on record `index`; indexes outside the table are skipped.
  void Run(Phase phase, int32_t index);
};

}  // namespace velmorant
