#include "ui_kit/DivLine.h"

#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/View.h"

DivLine::DivLine(QWidget* parent)
    : DivLine(QColor(178, 178, 178), parent) {}

DivLine::DivLine(const QColor& color, QWidget* parent)
    : QWidget(parent) {
    awakeFromNib(color);
}

void DivLine::awakeFromNib(const QColor& color) {
    View::setBackgroundColor(this, color);
    auto* height = LayoutConstraint::addTo(
        this, new LayoutConstraint(this, LayoutConstraint::Attribute::Height, nullptr,
                                   LayoutConstraint::Attribute::NotAnAttribute, 1.0, 0.5));
    height->setActive(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}
