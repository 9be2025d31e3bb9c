#include "platform/ui/LayoutConstraint.h"

#include <QEvent>
#include <cmath>

LayoutConstraint::LayoutConstraint(QWidget* firstItem, Attribute firstAttribute,
                                   QWidget* secondItem, Attribute secondAttribute,
                                   double multiplier, double constant)
    : first_(firstItem)
    , second_(secondItem)
    , firstAttribute_(firstAttribute)
    , secondAttribute_(secondAttribute)
    , multiplier_(multiplier)
    , constant_(constant) {}

LayoutConstraint::~LayoutConstraint() {
    if (second_)
        second_->removeEventFilter(this);
}

LayoutConstraint* LayoutConstraint::addTo(QWidget* owner, LayoutConstraint* constraint) {
    if (constraint)
        constraint->setParent(owner);
    return constraint;
}

QList<LayoutConstraint*> LayoutConstraint::constraintsOf(const QWidget* owner) {
    return owner ? owner->findChildren<LayoutConstraint*>(QString(), Qt::FindDirectChildrenOnly)
                 : QList<LayoutConstraint*>();
}

void LayoutConstraint::setConstant(double constant) {
    if (constant_ == constant)
        return;
    constant_ = constant;
    if (active_)
        apply();
    emit changed();
}

void LayoutConstraint::setActive(bool active) {
    if (active_ == active)
        return;
    active_ = active;
    if (second_) {
        if (active)
            second_->installEventFilter(this);
        else
            second_->removeEventFilter(this);
    }
    if (active)
        apply();
    emit changed();
}

bool LayoutConstraint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == second_ && active_ &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        apply();
    return QObject::eventFilter(watched, event);
}

void LayoutConstraint::apply() {
    if (!first_ || applying_)
        return;
    applying_ = true;
    // Widgets have whole-point sizes: a fraction rounds up, so a half-point line is one point.
    const int size = int(std::ceil(std::max(0.0, constant_)));
    if (!second_ && firstAttribute_ == Attribute::Height) {
        first_->setFixedHeight(size);
    } else if (!second_ && firstAttribute_ == Attribute::Width) {
        first_->setFixedWidth(size);
    } else if (second_ &&
               (firstAttribute_ == Attribute::CenterX || firstAttribute_ == Attribute::CenterY)) {
        // The second item's centre, in the coordinates of the first item's parent.
        QPointF centre = QRectF(second_->geometry()).center();
        if (second_->parentWidget() != first_->parentWidget() && second_->parentWidget() &&
            first_->parentWidget())
            centre =
                first_->parentWidget()->mapFromGlobal(second_->parentWidget()->mapToGlobal(centre));
        QRect frame = first_->geometry();
        if (firstAttribute_ == Attribute::CenterX)
            frame.moveLeft(
                int(std::lround(centre.x() * multiplier_ + constant_ - frame.width() / 2.0)));
        else
            frame.moveTop(
                int(std::lround(centre.y() * multiplier_ + constant_ - frame.height() / 2.0)));
        first_->setGeometry(frame);
    }
    applying_ = false;
}
