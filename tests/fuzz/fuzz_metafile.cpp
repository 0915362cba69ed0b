// Metafile playing of arbitrary bytes: never a crash, a hang, an over-read or a picture of
// another size than asked for, and never more allocated than the charge allowed.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/text/font_engine.hpp"
#include "platform/text/metafile.hpp"

namespace {

using namespace velmorant::platform;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One engine for the whole run: opening fontconfig per input would be most of the time.
  static const FontEngine fonts;
  int64_t charged = 0;
  MetafileOptions options;
  options.size = {96, 64};
  options.default_extent = {2540, 1693};
  options.fonts = &fonts;
  options.charge = [&charged](int64_t width, int64_t height) {
    Check(width > 0 && height > 0);
    if (charged + width * height > int64_t{1} << 20) return false;
    charged += width * height;
    return true;
  };
  const auto picture = PlayWindowsMetafile(std::span<const uint8_t>(data, size), options);
  if (picture) Check(picture->Width() == 96 && picture->Height() == 64);
  return 0;
}
