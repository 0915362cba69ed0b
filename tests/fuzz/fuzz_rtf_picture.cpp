// PNG, JPEG and DIB pictures of RTF from arbitrary bytes: never a crash, a hang or an over-read,
// never a picture of another size than the one shown, nor one made past the budget.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/memory_budget.hpp"
#include "platform/text/rtf_picture.hpp"

namespace {

using namespace velmorant::platform;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

// The first byte picks the format and how the picture is shown; the rest is the picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  RtfPictureData picture;
  const uint8_t how = data[0];
  switch (how % 3) {
    case 0:
      picture.format = RtfPictureData::Format::kPng;
      break;
    case 1:
      picture.format = RtfPictureData::Format::kJpeg;
      break;
    default:
      picture.format = RtfPictureData::Format::kDib;
      break;
  }
  // Shown at its own size, at a goal of up to 512 pixels, or scaled.
  if (how & 0x04) picture.goal_width = int32_t(how) * 30;
  if (how & 0x08) picture.goal_height = int32_t(how) * 15;
  if (how & 0x10) picture.scale_x = 1 + (how >> 5) * 40;
  picture.bytes.assign(data + 1, data + size);

  MemoryBudget memory(uint64_t{64} << 20);
  const auto decoded = DecodeRtfPicture(picture, {&memory, kMaxRtfPicturePixels});
  if (decoded) {
    Check(!decoded->IsEmpty());
    Check(memory.Used() == PictureBytes(decoded->Width(), decoded->Height()));
  } else {
    Check(memory.Used() == 0);
  }
  return 0;
}
