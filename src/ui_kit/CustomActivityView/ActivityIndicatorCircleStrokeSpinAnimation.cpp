#include "ui_kit/CustomActivityView/ActivityIndicatorCircleStrokeSpinAnimation.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

double eased(double progress) {
    static const QEasingCurve curve = [] {
        QEasingCurve c(QEasingCurve::BezierSpline);
        c.addCubicBezierSegment(QPointF(0.4, 0.0), QPointF(0.2, 1.0), QPointF(1.0, 1.0));
        return c;
    }();
    return curve.valueForProgress(std::clamp(progress, 0.0, 1.0));
}

} // namespace

void ActivityIndicatorCircleStrokeSpinAnimation::
    setupAnimationInLayerWithSizeTintColorAndStrokeWidth(const QSizeF& size,
                                                         const QColor& tintColor,
                                                         double strokeWidth) {
    size_ = size;
    tint_ = tintColor;
    strokeWidth_ = strokeWidth > 0 ? strokeWidth : 1.5;
}

double ActivityIndicatorCircleStrokeSpinAnimation::strokeStartAt(int cycleMs) {
    return eased((cycleMs - 500) / 1200.0);
}

double ActivityIndicatorCircleStrokeSpinAnimation::strokeEndAt(int cycleMs) {
    return eased(cycleMs / 700.0);
}

double ActivityIndicatorCircleStrokeSpinAnimation::rotationAt(int cycleMs) {
    return 2 * M_PI * std::clamp(cycleMs / double(kCycleMs), 0.0, 1.0);
}

void ActivityIndicatorCircleStrokeSpinAnimation::paint(QPainter& painter, int cycleMs) const {
    const double start = strokeStartAt(cycleMs);
    const double end = strokeEndAt(cycleMs);
    if (end <= start || size_.isEmpty() || !tint_.isValid())
        return;
    const double w = size_.width();
    const double radius = w / 2 - strokeWidth_ / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(w / 2, size_.height() / 2);
    painter.rotate(rotationAt(cycleMs) * 180 / M_PI);
    QPen pen(tint_, strokeWidth_);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The arc runs clockwise on screen from the top (90 degrees in Qt's counter-clockwise
    // angles) through 270 degrees to the left.
    const double arcDegrees = 270.0;
    const double from = 90.0 - arcDegrees * start;
    const double span = -arcDegrees * (end - start);
    QPainterPath path;
    const QRectF box(-radius, -radius, 2 * radius, 2 * radius);
    path.arcMoveTo(box, from);
    path.arcTo(box, from, span);
    painter.drawPath(path);
    painter.restore();
}
