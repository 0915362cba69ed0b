#pragma once

// One opened font file that all its sized faces share (internal to text/).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/freetype_handles.hpp"

namespace velmorant::platform {

// FreeType sizes kept set up on one file at once; others are set up again when next used.
inline constexpr size_t kFontFileSizesKept = 8;

// A FreeType face opened once per file and face index, whatever the sizes drawn from it: each
// size is an FT_Size on it, made active before the face is used, a few of them kept.
class FontFile {
 public:
  // Nothing when the file cannot be opened or is not a scalable face.
  static std::shared_ptr<FontFile> Open(const FtLibraryHandle& library, const std::string& file,
                                        int index);

  // Public for make_shared only.
  struct OpenTag {};
  FontFile(OpenTag, FtLibraryHandle library, FtFacePtr face)
      : library_(std::move(library)), face_(std::move(face)) {}
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  FT_Face Face() const { return face_.get(); }
  // The face at `pixels_per_em`; false when FreeType cannot set it.
  bool UseSize(int32_t pixels_per_em);
  size_t SizesKept() const { return sizes_.size(); }

 private:
  struct SetSize {
    int32_t pixels_per_em;
    FT_Size size;  // owned by the face: freed with it, or when dropped here
  };
  FtLibraryHandle library_;  // declared before face_: the face must go first
  FtFacePtr face_;
  std::vector<SetSize> sizes_;  // most recently used last
};

}  // namespace velmorant::platform
