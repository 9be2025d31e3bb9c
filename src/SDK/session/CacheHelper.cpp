#include "SDK/session/CacheHelper.h"

#include "platform/core/UserDefaults.h"

#include <QCborValue>

namespace {
const QString kSessionExpired = QStringLiteral("sessionTimeout");
const QString kVirtualAccountVisible = QStringLiteral("isVirtualAccountVisible");
} // namespace

UserDefaults& CacheHelper::userDefaults() const {
    return UserDefaults::standardUserDefaults();
}

void CacheHelper::setSessionExpired() {
    userDefaults().setObject(QString(""), kSessionExpired);
    userDefaults().synchronize();
}

bool CacheHelper::isSessionExpired() const {
    return userDefaults().hasKey(kSessionExpired);
}

void CacheHelper::removeSessionExpire() {
    userDefaults().removeObjectForKey(kSessionExpired);
    userDefaults().synchronize();
}

bool CacheHelper::isVirtualAccountVisible() {
    if (!userDefaults().hasKey(kVirtualAccountVisible))
        userDefaults().setObject(true, kVirtualAccountVisible);
    return userDefaults().boolForKey(kVirtualAccountVisible);
}

void CacheHelper::setVirtualAccountVisible(bool visible) {
    userDefaults().setObject(visible, kVirtualAccountVisible);
}

QByteArray CacheHelper::encodeAnswer(const QVariantMap& answer) {
    return QCborValue::fromVariant(answer).toCbor();
}

QVariantMap CacheHelper::decodeAnswer(const QByteArray& data) {
    QCborParserError error;
    const QCborValue value = QCborValue::fromCbor(data, &error);
    if (error.error != QCborError::NoError || !value.isMap())
        return {};
    return value.toVariant().toMap();
}
