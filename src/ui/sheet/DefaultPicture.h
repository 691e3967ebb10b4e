#pragma once
#include "sheet/Photo.h"

namespace pinakos {

// The picture a sheet shows when it has no photo: the painting of
// :/art/quadro.svg, 567 × 378.
QImage defaultPicture();
inline SheetPhoto defaultPhoto() { return SheetPhoto(defaultPicture()); }

} // namespace pinakos
