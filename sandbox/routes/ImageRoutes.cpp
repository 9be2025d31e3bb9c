#include "sandbox/routes/ImageRoutes.h"

#include "sandbox/SandboxRoutes.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>

namespace ImageRoutes {

QString pictureAddress(const SandboxRequest& request, const QString& name) {
    QString host = QString::fromLatin1(request.header("Host"));
    if (host.isEmpty())
        host = QStringLiteral("127.0.0.1");
    return QStringLiteral("https://%1/images/%2").arg(host, name);
}

QByteArray drawnPicture(const QString& name, const char* format) {
    // The same name always gives the same picture: colours from a digest of the name.
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5);
    const auto byte = [&digest](int i) { return static_cast<unsigned char>(digest.at(i)); };
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(byte(0) * 359 / 255, 60, 235));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(byte(1) * 359 / 255, 200, 170));
    painter.drawEllipse(QRectF(20, 20, 80, 80));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(44 + byte(2) % 12, 44, 20, 32));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace ImageRoutes

SANDBOX_ROUTE("GET", "/images/*") {
    const QString name = request.path.mid(QStringLiteral("/images/").size());
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return SandboxReply::raw(ImageRoutes::drawnPicture(name, "PNG"), "image/png");
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return SandboxReply::raw(ImageRoutes::drawnPicture(name, "JPEG"), "image/jpeg");
    return SandboxReply::raw("Not Found", "text/plain", 404);
}
