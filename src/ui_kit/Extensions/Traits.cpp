#include "ui_kit/Extensions/Traits.h"

#include <QMutex>
#include <QString>
#include <QtGlobal>

namespace {

bool padFromEnvironment() {
    return qEnvironmentVariable("TARVELLO_DEVICE")
               .trimmed()
               .compare(QLatin1String("pad"), Qt::CaseInsensitive) == 0;
}

QMutex& sourceMutex() {
    static QMutex mutex;
    return mutex;
}

std::function<bool()>& source() {
    static std::function<bool()> isPad;
    return isPad;
}

} // namespace

namespace Traits {

bool isIpad() {
    std::function<bool()> isPad;
    {
        QMutexLocker lock(&sourceMutex());
        isPad = source();
    }
    return isPad ? isPad() : padFromEnvironment();
}

bool hasRegularWidth() {
    return isIpad();
}

void setIdiomSource(std::function<bool()> isPad) {
    QMutexLocker lock(&sourceMutex());
    source() = std::move(isPad);
}

} // namespace Traits
