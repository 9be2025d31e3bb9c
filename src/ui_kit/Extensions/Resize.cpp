#include "ui_kit/Extensions/Resize.h"

#include <QPainter>

namespace Resize {

QImage scaleToSize(const QImage& image, const QSizeF& size) {
    QImage result(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return result;
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(), size), image);
    return result;
}

} // namespace Resize
