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

}  // namespace velmorant::platform
