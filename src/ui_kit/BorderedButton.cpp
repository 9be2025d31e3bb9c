#include "ui_kit/BorderedButton.h"

#include "ui_kit/UIKitSupport.h"

#include <QPainter>

namespace {
const QColor kRestingGrey = QColor(200, 200, 200);
} // namespace

BorderedButton::BorderedButton(const QRect& frame, QWidget* parent)
    : QPushButton(parent) {
    if (frame.isValid())
        setGeometry(frame);
    setup();
}

void BorderedButton::setup() {
    borderColor_ = kRestingGrey;
    highlightedBorderColor_ = UIKitSupport::mainColor();
    changeBorder();
}

void BorderedButton::changeBorder() {
    layerBorderColor_ = (selected_ || isDown()) ? highlightedBorderColor_ : borderColor_;
    update();
}

void BorderedButton::invertedBorder() {
    borderColor_ = UIKitSupport::mainColor();
    highlightedBorderColor_ = kRestingGrey;
    changeBorder();
}

void BorderedButton::setBorderColor(const QColor& color) {
    borderColor_ = color;
    changeBorder();
}

void BorderedButton::setHighlightedBorderColor(const QColor& color) {
    highlightedBorderColor_ = color;
    changeBorder();
}

void BorderedButton::setHighlighted(bool highlighted) {
    setDown(highlighted);
    changeBorder();
}

void BorderedButton::setSelected(bool selected) {
    selected_ = selected;
    changeBorder();
}

// The button's own handling of a touch first, then the border of the state it left.
void BorderedButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    changeBorder();
}

void BorderedButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    changeBorder();
}

void BorderedButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    changeBorder();
}

void BorderedButton::keyPressEvent(QKeyEvent* event) {
    QPushButton::keyPressEvent(event);
    changeBorder();
}

void BorderedButton::keyReleaseEvent(QKeyEvent* event) {
    QPushButton::keyReleaseEvent(event);
    changeBorder();
}

void BorderedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(layerBorderColor_);
    pen.setWidthF(kBorderWidth);
    painter.setPen(pen);
    const qreal inset = kBorderWidth / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), kCornerRadius,
                            kCornerRadius);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
