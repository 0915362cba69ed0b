#pragma once

// Owning handles for the FreeType objects the text layer uses.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace velmorant::platform {

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// Faces keep their library alive through this shared handle: a font may outlive its engine.
using FtLibraryHandle = std::shared_ptr<FT_LibraryRec_>;
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// Nothing when FreeType cannot start.
inline FtLibraryHandle StartFreeType() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  return FtLibraryHandle(library, FtLibraryDeleter{});
}

}  // namespace velmorant::platform
