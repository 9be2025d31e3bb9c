#include "ui_kit/Extensions/Deprecations.h"

#include <QFontMetricsF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

qreal bounded(qreal value) {
    return std::isfinite(value) && value > 0 ? value : std::numeric_limits<int>::max() / 4.0;
}

} // namespace

namespace Deprecations {

QSizeF roundedUp(const QSizeF& size) {
    return QSizeF(std::ceil(static_cast<float>(size.width())),
                  std::ceil(static_cast<float>(size.height())));
}

QSizeF deprecatedSizeWithFontMinFontSize(const QString& text, const QFont& font, qreal minFontSize,
                                         qreal* actualFontSize, qreal width,
                                         LineBreakMode lineBreakMode) {
    Q_UNUSED(lineBreakMode); // one line: the mode only decides where the cut text is cut
    const qreal limit = bounded(width);
    QFont used = font;
    qreal pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    const qreal floor = std::min(std::max(minFontSize, qreal(1)), pointSize);
    const QString line = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    while (true) {
        used.setPointSizeF(pointSize);
        if (QFontMetricsF(used).horizontalAdvance(line) <= limit || pointSize <= floor)
            break;
        pointSize = std::max(floor, pointSize - 0.5);
    }
    if (actualFontSize != nullptr)
        *actualFontSize = pointSize;
    const QFontMetricsF metrics(used);
    return roundedUp(QSizeF(std::min(metrics.horizontalAdvance(line), limit), metrics.height()));
}

QSizeF deprecatedSizeWithFontConstrainedToSize(const QString& text, const QFont& font,
                                               const QSizeF& size) {
    return deprecatedSizeWithFontConstrainedToSizeLineBreakMode(text, font, size,
                                                                LineBreakMode::ByWordWrapping);
}

QSizeF deprecatedSizeWithFontConstrainedToSizeLineBreakMode(const QString& text, const QFont& font,
                                                            const QSizeF& size,
                                                            LineBreakMode lineBreakMode) {
    const qreal width = bounded(size.width()), height = bounded(size.height());
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (lineBreakMode == LineBreakMode::ByWordWrapping)
        flags |= Qt::TextWordWrap;
    else if (lineBreakMode == LineBreakMode::ByCharWrapping)
        flags |= Qt::TextWrapAnywhere;
    const QRectF rect = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, height), flags, text);
    return roundedUp(QSizeF(std::min(rect.width(), width), std::min(rect.height(), height)));
}

} // namespace Deprecations
