#include "ui_kit/crossTotal.h"

#include <QPainter>

crossTotal::crossTotal(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void crossTotal::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor grey = QColor::fromRgbF(0.4f, 0.4f, 0.4f);
    grey.setAlphaF(0.6f);
    painter.setPen(QPen(grey, 1));
    const QRectF r = rect();
    painter.drawLine(QPointF(r.x(), r.y()), QPointF(r.width(), r.height()));
    painter.drawLine(QPointF(r.width(), r.y()), QPointF(r.x(), r.height()));
}
