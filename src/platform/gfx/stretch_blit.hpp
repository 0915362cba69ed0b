#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/copy_mode.hpp"
#include "platform/gfx/stretch_axis.hpp"

namespace velmorant::platform {

// StretchBlt in the default stretch mode (eliminated pixels ANDed), combining with `mode`.
// Destination pixels outside `area` (a part of `target`), and those fed from outside `source`,
// stay untouched. `source` may be `target` itself.
void StretchBlit(Bitmap& target, const Rect& area, const Bitmap& source, const AxisRequest& x,
                 const AxisRequest& y, CopyMode mode);

// The transparent copy: SRCAND of `mask`, then SRCPAINT of `picture`, both stretched the same
// way. Done in one pass when the two pictures have the same size.
void MaskedStretchBlit(Bitmap& target, const Rect& area, const Bitmap& picture, const Bitmap& mask,
                       const AxisRequest& x, const AxisRequest& y);

}  // namespace velmorant::platform
