#pragma once

#include <QImage>
#include <QSizeF>

namespace Resize {

// The image stretched (aspect not kept) into a new image of exactly the size, one pixel per
// point, not opaque: 1000 x 500 to 100 x 100 gives 100 x 100 pixels.
QImage scaleToSize(const QImage& image, const QSizeF& size);

} // namespace Resize
