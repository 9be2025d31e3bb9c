#pragma once

#include <QColor>
#include <QObject>
#include <QSizeF>

class QPainter;

// The spinner's shape: an arc of three quarters of a circle from the top clockwise to the left,
// drawn between a moving start and end while the whole shape turns. One cycle lasts 1.7 s: the
// head runs the arc in the first 0.7 s, the tail follows from 0.5 s to 1.7 s.
class ActivityIndicatorCircleStrokeSpinAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kCycleMs = 1700;

    explicit ActivityIndicatorCircleStrokeSpinAnimation(QObject* parent = nullptr)
        : QObject(parent) {}

    // Sets up the shape for a size, colour and line width.
    void setupAnimationInLayerWithSizeTintColorAndStrokeWidth(const QSizeF& size,
                                                              const QColor& tintColor,
                                                              double strokeWidth);

    // Stroke start and end (fractions of the arc) and rotation (radians) at a time of the cycle.
    static double strokeStartAt(int cycleMs);
    static double strokeEndAt(int cycleMs);
    static double rotationAt(int cycleMs);

    void paint(QPainter& painter, int cycleMs) const;
    QColor tintColor() const { return tint_; }
    double strokeWidth() const { return strokeWidth_; }

private:
    QSizeF size_;
    QColor tint_;
    double strokeWidth_ = 1.5;
};
