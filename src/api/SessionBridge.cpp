#include "api/SessionBridge.h"

#include "SDK/User.h"

#include <QMutex>

namespace SessionBridge {

namespace {
QMutex keyLock;
std::optional<QString> storedKey;
} // namespace

std::optional<QString> apiKey() {
    QMutexLocker locker(&keyLock);
    return storedKey;
}

void setApiKey(const std::optional<QString>& key) {
    QMutexLocker locker(&keyLock);
    storedKey = key;
}

QString userToken() {
    return User::instance().token();
}

void expireSession() {
    User::instance().reset();
}

void handOverTimer(APIController* client, bool restartTimer) {
    (void)client;
    (void)restartTimer;
}

void releaseTimer(APIController* client) {
    (void)client;
}

QString connectionErrorText() {
    return QStringLiteral("No se pudo conectar con el servidor. Verifica tu conexión a internet.");
}

} // namespace SessionBridge
