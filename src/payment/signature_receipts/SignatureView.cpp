#include "payment/signature_receipts/SignatureView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTouchEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kCornerRadius = 5.5;
constexpr float kStartWidth = 4.0f;

double seconds(const QInputEvent* event) {
    return static_cast<double>(event->timestamp()) / 1000.0;
}
} // namespace

SignatureView::SignatureView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void SignatureView::setBackgroundColor(const QColor& color) {
    background_ = color;
    update();
}

QPainterPath SignatureView::clipPath() const {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    return path;
}

bool SignatureView::addPoint(const QPointF& point, double time) {
    if (point.x() == lastPoint_.x() && point.y() == lastPoint_.y())
        return false;
    const double dx = point.x() - lastPoint_.x();
    const double dy = point.y() - lastPoint_.y();
    const double dt = time - lastTime_;
    const bool haveCurve = curves_ && !curves_->empty();
    double velocity;
    if (dt > 0)
        velocity = std::sqrt(dx * dx + dy * dy) / dt;
    else // equal or backward time stamps: keep the previous speed
        velocity = haveCurve ? curves_->back().velocity : 0.0;
    lastTime_ = time;

    const double sdx = static_cast<float>(dx);
    const double sdy = static_cast<float>(dy);
    BezierCurve curve;
    curve.controlPoint1 = {lastPoint_.x() + sdx / 3, lastPoint_.y() + sdy / 3};
    curve.controlPoint2 = {lastPoint_.x() + (2 * sdx) / 3, lastPoint_.y() + (2 * sdy) / 3};
    QPointF anchor = lastPoint_;
    if (!curves_)
        curves_.emplace();
    if (haveCurve) {
        BezierCurve& previous = curves_->back();
        anchor = (previous.controlPoint2 + curve.controlPoint1) / 2;
        previous.anchorPoint2 = anchor;
        velocity = 0.3 * velocity + 0.7 * previous.velocity;
        previous.stable = true;
    }
    curve.startPoint = lastPoint_;
    curve.anchorPoint1 = anchor;
    curve.endPoint = point;
    curve.anchorPoint2 = point;
    curve.velocity = velocity;
    lastPoint_ = point;
    curves_->push_back(curve);
    return true;
}

void SignatureView::drawPoints(QPainter& painter, int mode, bool toCache) {
    if (!curves_)
        return;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (curves_->empty()) {
        path.addEllipse(QRectF(lastPoint_ - QPointF(2, 2), QSizeF(4, 4)));
    } else {
        const float scale = static_cast<float>(devicePixelRatioF());
        // Segments before firstUndrawn_ are in the cache: start after them, from the width the
        // last of them ended at, so a redraw costs the same however long the stroke is.
        std::vector<BezierCurve>& curves = *curves_;
        const size_t first = std::min(firstUndrawn_, curves.size());
        float lastWidth = first > 0 ? curves[first - 1].width() : kStartWidth;
        for (size_t index = first; index < curves.size(); ++index) {
            BezierCurve& curve = curves[index];
            const float width = curve.width();
            const bool included = (mode == 1 && curve.stable) || (mode == 2 && !curve.stable) ||
                                  (mode != 1 && mode != 2);
            if (included && !curve.drawn) {
                const QPointF p0 = curve.anchorPoint1, p1 = curve.controlPoint1,
                              p2 = curve.controlPoint2, p3 = curve.anchorPoint2;
                const double length = std::hypot(p3.x() - p0.x(), p3.y() - p0.y());
                const int n = std::max(1, static_cast<int>(length * scale));
                for (int i = 0; i < n; ++i) {
                    const float t = static_cast<float>(i) / static_cast<float>(n);
                    const float u = 1.0f - t;
                    const float w0 = u * u * u;
                    const float w1 = 3.0f * u * u * t;
                    const float w2 = 3.0f * u * t * t;
                    const float w3 = t * t * t;
                    float x = static_cast<float>(double(w0) * p0.x());
                    x = static_cast<float>(x + double(w1) * p1.x());
                    x = static_cast<float>(x + double(w2) * p2.x());
                    x = static_cast<float>(x + double(w3) * p3.x());
                    float y = static_cast<float>(double(w0) * p0.y());
                    y = static_cast<float>(y + double(w1) * p1.y());
                    y = static_cast<float>(y + double(w2) * p2.y());
                    y = static_cast<float>(y + double(w3) * p3.y());
                    const float d = lastWidth + w3 * (width - lastWidth);
                    const float half = d / 2.0f;
                    path.addEllipse(
                        QRectF(double(x - half), double(y - half), double(d), double(d)));
                }
                if (toCache)
                    curve.drawn = true;
            }
            lastWidth = width;
        }
        while (firstUndrawn_ < curves.size() && curves[firstUndrawn_].drawn)
            ++firstUndrawn_;
    }
    painter.fillPath(path, Qt::black);
}

bool SignatureView::hasUndrawn(int mode) const {
    if (!curves_)
        return false;
    if (curves_->empty())
        return true; // the dot of a touch that has not moved
    for (size_t index = firstUndrawn_; index < curves_->size(); ++index) {
        const BezierCurve& curve = curves_->at(index);
        if (!curve.drawn && ((mode == 1 && curve.stable) || (mode == 2 && !curve.stable) ||
                             (mode != 1 && mode != 2)))
            return true;
    }
    return false;
}

QRect SignatureView::dirtyRect() const {
    if (!curves_ || curves_->empty())
        return QRectF(lastPoint_ - QPointF(3, 3), QSizeF(6, 6)).toAlignedRect();
    // The moving segment and the one before it, whose end has just moved to the joint.
    double left = lastPoint_.x(), right = left, top = lastPoint_.y(), bottom = top;
    for (size_t index = curves_->size() >= 2 ? curves_->size() - 2 : 0; index < curves_->size();
         ++index) {
        const BezierCurve& curve = curves_->at(index);
        for (const QPointF& point : {curve.anchorPoint1, curve.controlPoint1, curve.controlPoint2,
                                     curve.anchorPoint2, curve.endPoint}) {
            left = std::min(left, point.x());
            right = std::max(right, point.x());
            top = std::min(top, point.y());
            bottom = std::max(bottom, point.y());
        }
    }
    // Dots are at most 4 points wide; a margin for antialiasing.
    return QRectF(QPointF(left - 3, top - 3), QPointF(right + 3, bottom + 3)).toAlignedRect();
}

void SignatureView::drawBitmap(int mode) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const bool fits = !cache_.isNull() && cache_.size() == pixels;
    if (fits && !hasUndrawn(mode))
        return;
    if (!fits) {
        QImage fresh(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        fresh.setDevicePixelRatio(ratio);
        fresh.fill(Qt::transparent);
        if (!cache_.isNull()) {
            QPainter copy(&fresh);
            copy.drawImage(QPointF(0, 0), cache_);
        }
        cache_ = fresh;
    }
    QPainter painter(&cache_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(clipPath());
    drawPoints(painter, mode, true);
}

void SignatureView::paintEvent(QPaintEvent* event) {
    drawBitmap(1);
    // Only the exposed area is painted: a moving finger exposes its newest segments alone.
    const QRect exposed = event->rect() & rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(clipPath());
    painter.setClipRect(exposed, Qt::IntersectClip);
    if (background_.alpha() > 0)
        painter.fillRect(exposed, background_);
    const qreal ratio = cache_.devicePixelRatio();
    painter.drawImage(QRectF(exposed), cache_,
                      QRectF(QPointF(exposed.topLeft()) * ratio, QSizeF(exposed.size()) * ratio));
    drawPoints(painter, 2, false);
}

void SignatureView::resizeEvent(QResizeEvent*) {
    if (!cache_.isNull())
        drawBitmap(1);
}

void SignatureView::cancelDrawing() {
    curves_.reset();
    firstUndrawn_ = 0;
    cache_ = QImage();
    update();
}

QImage SignatureView::collectSignature() {
    drawBitmap(1);
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(clipPath());
    if (background_.alpha() > 0)
        painter.fillRect(rect(), background_);
    painter.drawImage(QRectF(rect()), cache_);
    drawPoints(painter, 2, false);
    return image;
}

void SignatureView::strokeBegan(const QPointF& point, double time) {
    stroking_ = true;
    curves_.emplace();
    firstUndrawn_ = 0;
    lastPoint_ = point;
    lastTime_ = time;
    emit touchBegan();
}

void SignatureView::strokeMoved(const QPointF& point, double time) {
    if (stroking_ && addPoint(point, time))
        update(dirtyRect());
}

void SignatureView::strokeEnded(const QPointF& point, double time) {
    if (!stroking_)
        return;
    stroking_ = false;
    addPoint(point, time);
    drawBitmap(0);
    update();
    emit touchEnded();
}

void SignatureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !stroking_)
        strokeBegan(event->position(), seconds(event));
}

void SignatureView::mouseMoveEvent(QMouseEvent* event) {
    strokeMoved(event->position(), seconds(event));
}

void SignatureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        strokeEnded(event->position(), seconds(event));
}

bool SignatureView::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        auto* touch = static_cast<QTouchEvent*>(event);
        const QPointF point =
            touch->points().isEmpty() ? lastPoint_ : touch->points().first().position();
        const double time = seconds(touch);
        if (event->type() == QEvent::TouchBegin)
            strokeBegan(point, time);
        else if (event->type() == QEvent::TouchUpdate)
            strokeMoved(point, time);
        else
            strokeEnded(point, time);
        event->accept();
        return true;
    }
    default:
        return QWidget::event(event);
    }
}
