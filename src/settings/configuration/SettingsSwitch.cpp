#include "settings/configuration/SettingsSwitch.h"

#include "ui_kit/UIKitSupport.h"

#include <QPainter>

SettingsSwitch::SettingsSwitch(QWidget* parent)
    : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

void SettingsSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double radius = track.height() / 2;
    painter.setPen(isChecked() ? Qt::NoPen : QPen(QColor(220, 220, 220), 1.5));
    painter.setBrush(isChecked() ? UIKitSupport::mainColor() : QColor(Qt::white));
    painter.drawRoundedRect(track, radius, radius);
    const double knob = track.height() - 4;
    const double x = isChecked() ? track.right() - knob - 2 : track.left() + 2;
    painter.setPen(QPen(QColor(200, 200, 200), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}
