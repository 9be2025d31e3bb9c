#include "api/HostCredentials.h"

#include "platform/core/Assert.h"
#include "platform/core/Redaction.h"

#include <QMutex>

namespace {

struct Credentials {
    QMutex lock;
    std::optional<QString> apiKey;
    std::optional<QString> userToken;
};

Credentials& credentials() {
    static Credentials c;
    return c;
}

} // namespace

namespace HostCredentials {

std::optional<QString> apiKey() {
    Credentials& c = credentials();
    QMutexLocker locker(&c.lock);
    return c.apiKey;
}

void setApiKey(const std::optional<QString>& apiKey) {
    Credentials& c = credentials();
    QMutexLocker locker(&c.lock);
    c.apiKey = apiKey;
    if (apiKey)
        Redaction::addSecret(*apiKey);
}

std::optional<QString> userToken() {
    Credentials& c = credentials();
    QMutexLocker locker(&c.lock);
    return c.userToken;
}

void setUserToken(const std::optional<QString>& userToken) {
    Credentials& c = credentials();
    QMutexLocker locker(&c.lock);
    c.userToken = userToken;
    if (userToken)
        Redaction::addSecret(*userToken);
}

bool checkStarted() {
    if (!apiKey()) {
        HostAssert::fail(
            QStringLiteral("Call -[TarvelloSDK startWithAPIKey:] first to initialize"));
        return false;
    }
    if (!userToken()) {
        HostAssert::fail(QStringLiteral("Call -[TarvelloSDK setUserToken:] first to initialize"));
        return false;
    }
    return true;
}

} // namespace HostCredentials
