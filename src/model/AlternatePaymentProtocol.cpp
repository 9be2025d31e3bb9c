#include "model/AlternatePaymentProtocol.h"

#include <QGuiApplication>
#include <QPainter>

QImage AlternatePaymentProtocol::letterAvatar(const QString& text, int width) {
    if (text.isEmpty() || width <= 0)
        return QImage();
    const QString letter = text.left(1);
    QImage image(width, width, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(59, 175, 41));
    painter.drawEllipse(QRectF(0, 0, width, width));
    // Text needs the font database of a GUI application.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QFont font = painter.font();
        font.setPixelSize(width / 2);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(0, 0, width, width), Qt::AlignCenter, letter.toUpper());
    }
    painter.end();
    return image;
}
