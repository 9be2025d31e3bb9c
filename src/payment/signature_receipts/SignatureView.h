#pragma once

#include "payment/signature_receipts/BezierCurve.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

// The pad the cardholder signs on with one finger (mouse or touch). Each stroke becomes a chain
// of Bézier segments inked as rows of overlapping dots whose width follows the speed. Finished
// segments are baked once into a cached bitmap at the device pixel ratio; only the moving last
// segment is drawn live. The ink is clipped to the pad's rounded corners (radius 5.5).
class SignatureView : public QWidget {
    Q_OBJECT
public:
    explicit SignatureView(QWidget* parent = nullptr);

    // Appends a segment for the sample (time in seconds). False when the point equals the
    // last one: nothing changes. A time step of 0 or less keeps the previous segment's speed.
    bool addPoint(const QPointF& point, double time);
    // Clears the signature; the pad shows its background alone.
    void cancelDrawing();
    // The pad as an image of one pixel per point: its background colour under the ink.
    QImage collectSignature();

    QColor backgroundColor() const { return background_; }
    void setBackgroundColor(const QColor& color);

    // The segments of the current stroke; none before the first stroke and after clearing.
    const std::optional<std::vector<BezierCurve>>& curves() const { return curves_; }
    bool hasCachedImage() const { return !cache_.isNull(); }

signals:
    void touchBegan();
    void touchEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void strokeBegan(const QPointF& point, double time);
    void strokeMoved(const QPointF& point, double time);
    void strokeEnded(const QPointF& point, double time);
    // Stamps the undrawn segments of the mode (1 stable, 2 unstable, other all) with painter.
    void drawPoints(QPainter& painter, int mode, bool toCache);
    // Bakes the undrawn segments of the mode into the cached bitmap.
    void drawBitmap(int mode);
    QPainterPath clipPath() const;
    bool hasUndrawn(int mode) const;
    // The area a new sample changes: the new segment and the one before it.
    QRect dirtyRect() const;

    std::optional<std::vector<BezierCurve>> curves_;
    QImage cache_;
    size_t firstUndrawn_ = 0; // segments before it are baked into cache_
    QPointF lastPoint_;
    double lastTime_ = 0;
    QColor background_ = Qt::transparent;
    bool stroking_ = false;
};
