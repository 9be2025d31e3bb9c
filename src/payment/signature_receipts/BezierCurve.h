#pragma once

#include <QPointF>

// One segment of a signature stroke: a cubic Bézier from anchorPoint1 to anchorPoint2 through
// the two control points, inked at a width that follows the finger's speed.
class BezierCurve {
public:
    QPointF startPoint;    // the sample the segment starts from
    QPointF endPoint;      // the new sample
    QPointF anchorPoint1;  // first point of the drawn curve
    QPointF anchorPoint2;  // last point; moved to the joint when the next sample arrives
    QPointF controlPoint1; // one third of the way from startPoint to endPoint
    QPointF controlPoint2; // two thirds of the way
    double velocity = 0;   // smoothed speed, points per second
    bool drawn = false;    // stamped into the cached bitmap
    bool stable = false;   // a later sample has fixed its geometry

    // Ink width for a speed: 4.0 when still, thinning to a floor of 0.3 from about 4,968
    // points/s; 500 → 3.5558, 1,300 → 2.1684, 4,000 → 0.4447.
    static float widthForVelocity(double v) {
        double w = (v + 8000000.0) / (v * v + 2000000.0);
        if (w < 0.3)
            w = 0.3;
        return static_cast<float>(w);
    }
    float width() const { return widthForVelocity(velocity); }
};
