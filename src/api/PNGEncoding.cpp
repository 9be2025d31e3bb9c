#include "api/PNGEncoding.h"

#include <QBuffer>
#include <QList>
#include <QMutex>
#include <QPair>

namespace {

constexpr int kKept = 4;

QMutex& lock() {
    static QMutex mutex;
    return mutex;
}

QList<QPair<qint64, QByteArray>>& kept() {
    static QList<QPair<qint64, QByteArray>> entries;
    return entries;
}

} // namespace

namespace PNGEncoding {

QByteArray encode(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void keep(const QImage& image, const QByteArray& png) {
    if (image.isNull() || png.isEmpty())
        return;
    QMutexLocker locker(&lock());
    kept().append({image.cacheKey(), png});
    while (kept().size() > kKept)
        kept().removeFirst();
}

std::optional<QByteArray> take(const QImage& image) {
    if (image.isNull())
        return std::nullopt;
    QMutexLocker locker(&lock());
    for (qsizetype i = 0; i < kept().size(); ++i)
        if (kept().at(i).first == image.cacheKey())
            return kept().takeAt(i).second;
    return std::nullopt;
}

} // namespace PNGEncoding
