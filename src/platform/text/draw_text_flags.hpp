#pragma once

#include <cstdint>

namespace velmorant::platform {

// DrawText format flags, with their Windows values (callers pass what the presentation code
// passed).
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;
inline constexpr uint32_t kDtBottom = 0x8;
inline constexpr uint32_t kDtWordBreak = 0x10;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtExpandTabs = 0x40;
inline constexpr uint32_t kDtNoClip = 0x100;
inline constexpr uint32_t kDtExternalLeading = 0x200;
inline constexpr uint32_t kDtCalcRect = 0x400;
inline constexpr uint32_t kDtNoPrefix = 0x800;

}  // namespace velmorant::platform
