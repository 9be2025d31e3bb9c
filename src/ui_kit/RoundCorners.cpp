#include "ui_kit/RoundCorners.h"

#include "platform/ui/View.h"

#include <QEvent>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

namespace {

QPainterPath cornerPath(const QRectF& r, int corners, double radius) {
    const double rad = std::min({radius, r.width() / 2, r.height() / 2});
    QPainterPath path;
    auto corner = [&](int bit) { return (corners & bit) && rad > 0; };
    path.moveTo(r.left() + (corner(RoundCorners::TopLeft) ? rad : 0), r.top());
    if (corner(RoundCorners::TopRight))
        path.arcTo(r.right() - 2 * rad, r.top(), 2 * rad, 2 * rad, 90, -90);
    else
        path.lineTo(r.topRight());
    if (corner(RoundCorners::BottomRight))
        path.arcTo(r.right() - 2 * rad, r.bottom() - 2 * rad, 2 * rad, 2 * rad, 0, -90);
    else
        path.lineTo(r.bottomRight());
    if (corner(RoundCorners::BottomLeft))
        path.arcTo(r.left(), r.bottom() - 2 * rad, 2 * rad, 2 * rad, 270, -90);
    else
        path.lineTo(r.bottomLeft());
    if (corner(RoundCorners::TopLeft))
        path.arcTo(r.left(), r.top(), 2 * rad, 2 * rad, 180, -90);
    else
        path.lineTo(r.topLeft());
    path.closeSubpath();
    return path;
}

// Re-clips its widget whenever the widget is resized.
class CornerMask : public QObject {
public:
    CornerMask(QWidget* view, int corners, double radius)
        : QObject(view)
        , corners_(corners)
        , radius_(radius) {
        setObjectName(QStringLiteral("roundCornersMask"));
        view->installEventFilter(this);
        apply(view);
    }
    void set(QWidget* view, int corners, double radius) {
        corners_ = corners;
        radius_ = radius;
        apply(view);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            apply(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void apply(QWidget* view) {
        const QPainterPath path = cornerPath(QRectF(view->rect()), corners_, radius_);
        view->setMask(QRegion(path.toFillPolygon().toPolygon()));
    }
    int corners_;
    double radius_;
};

} // namespace

namespace RoundCorners {

void roundCorners(QWidget* view, int corners, double radius) {
    if (!view)
        return;
    View::setCornerRadius(view, radius);
    const auto masks = view->findChildren<QObject*>(QStringLiteral("roundCornersMask"),
                                                    Qt::FindDirectChildrenOnly);
    for (QObject* existing : masks)
        if (auto* mask = dynamic_cast<CornerMask*>(existing)) {
            mask->set(view, corners, radius);
            return;
        }
    new CornerMask(view, corners, radius);
}

} // namespace RoundCorners
