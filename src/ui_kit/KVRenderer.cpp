#include "ui_kit/KVRenderer.h"

#include "platform/core/MainThread.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <cmath>

namespace {

QImage draw(const QSizeF& size, bool transparency, const KVRenderer::DrawingBlock& drawingBlock) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal scale = screen ? screen->devicePixelRatio() : 1.0;
    const QSize pixels(static_cast<int>(std::ceil(size.width() * scale)),
                       static_cast<int>(std::ceil(size.height() * scale)));
    if (pixels.isEmpty())
        return QImage();
    QImage image(pixels, transparency ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(transparency ? Qt::transparent : Qt::black);
    if (drawingBlock) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawingBlock(painter);
    }
    return image;
}

} // namespace

QImage KVRenderer::renderImageWithSize(const QSizeF& size, bool transparency,
                                       const DrawingBlock& drawingBlock) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || MainThread::isCurrent())
        return draw(size, transparency, drawingBlock);
    QImage image;
    QMetaObject::invokeMethod(
        application, [&] { image = draw(size, transparency, drawingBlock); },
        Qt::BlockingQueuedConnection);
    return image;
}
