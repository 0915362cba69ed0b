#include "platform/text/font_file.hpp"

#include FT_SIZES_H

#include <algorithm>

namespace velmorant::platform {

std::shared_ptr<FontFile> FontFile::Open(const FtLibraryHandle& library, const std::string& file,
                                         int index) {
  if (!library) return nullptr;
  FT_Face raw = nullptr;
  if (FT_New_Face(library.get(), file.c_str(), index, &raw) != 0) return nullptr;
  FtFacePtr face(raw);
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return nullptr;
  return std::make_shared<FontFile>(OpenTag{}, library, std::move(face));
}

bool FontFile::UseSize(int32_t pixels_per_em) {
  const auto it = std::find_if(sizes_.begin(), sizes_.end(),
                               [&](const SetSize& s) { return s.pixels_per_em == pixels_per_em; });
  if (it != sizes_.end()) {
    std::rotate(it, it + 1, sizes_.end());
    return FT_Activate_Size(sizes_.back().size) == 0;
  }
  if (sizes_.size() >= kFontFileSizesKept) {
    FT_Done_Size(sizes_.front().size);
    sizes_.erase(sizes_.begin());
  }
  FT_Size size = nullptr;
  if (FT_New_Size(face_.get(), &size) != 0) return false;
  if (FT_Activate_Size(size) != 0 ||
      FT_Set_Pixel_Sizes(face_.get(), 0, FT_UInt(pixels_per_em)) != 0) {
    FT_Done_Size(size);
    return false;
  }
  sizes_.push_back({pixels_per_em, size});
  return true;
}

}  // namespace velmorant::platform
