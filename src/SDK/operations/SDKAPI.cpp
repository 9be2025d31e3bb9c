#include "SDK/operations/SDKAPI.h"

#include "api/APIController.h"
#include "platform/core/MainThread.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

SDKAPI::SDKAPI()
    : sessionCheck_(this) {}

SDKAPI::~SDKAPI() {
    sessionCheck_.drop();
    // Deleted now rather than later: a client that is the inactivity timer's delegate gives the
    // timer back, so a later expiry still ends the session.
    for (const QPointer<APIController>& client : clients_) {
        if (client) {
            client->setDelegate(nullptr);
            delete client.data();
        }
    }
}

void SDKAPI::loginThenDo(std::function<void()> callback) {
    if (finished_)
        return;
    // Stay alive while the check or the request runs, whoever holds the object.
    if (!keepAlive_)
        keepAlive_ = weak_from_this().lock();
    if (!SessionCheck::needed()) {
        if (callback)
            callback();
        return;
    }
    loginDone_ = std::move(callback);
    sessionCheck_.start();
}

void SDKAPI::loginHelperDidFinishLogin(LoginHelper* /*helper*/) {
    sessionCheck_.drop();
    std::function<void()> done = std::move(loginDone_);
    loginDone_ = nullptr;
    if (done && !finished_)
        done();
}

void SDKAPI::loginHelperShouldDisplayLoginUI(LoginHelper* /*helper*/) {
    sessionCheck_.drop();
    finish(
        TarvelloError::sdk(TarvelloErrorCode::NotLoggedIn, QStringLiteral("User is not logged in"))
            .toResult(),
        false);
}

bool SDKAPI::mustUpdateApp(const QString& /*url*/, const QString& message) {
    sessionCheck_.drop();
    finish(TarvelloError::sdk(TarvelloErrorCode::UpdateRequired, message).toResult(), false);
    return true;
}

void SDKAPI::apiDidFailWithError(const TarvelloError& error, int /*functionName*/) {
    finish(error.toResult(), false);
}

bool SDKAPI::sessionExpired() {
    return sessionExpiredWithMessage(QStringLiteral("Session expired"));
}

bool SDKAPI::sessionExpiredWithMessage(const QString& message) {
    LoginHelper().logout();
    const QString text = message.isEmpty() ? QStringLiteral("Session expired") : message;
    finish(TarvelloError::sdk(TarvelloErrorCode::InvalidUserToken, text).toResult(), false);
    return true;
}

void SDKAPI::finish(const QVariantMap& result, bool success) {
    loginDone_ = nullptr;
    if (finished_)
        return;
    finished_ = true;
    if (completion_) {
        const TarvelloSDK::Completion completion = std::move(completion_);
        completion_ = nullptr;
        completion(result, success);
    }
    // Let go once the caller of this reply has returned.
    if (keepAlive_)
        MainThread::post([self = std::move(keepAlive_)] { Q_UNUSED(self); });
}

void SDKAPI::finishWithRefusal(const QVariant& response, qint64 code402,
                               const QString& message402) {
    const QVariantMap r =
        response.typeId() == QMetaType::QVariantMap ? response.toMap() : QVariantMap();
    const QVariant code = r.value(QStringLiteral("code"));
    const bool hasCode = code.typeId() == QMetaType::QString || Values::isNumber(code);
    const qint64 number = hasCode ? Values::integerValue(code) : 0;
    if (hasCode && code402 != 0 && number == 402) {
        finish(TarvelloError::sdk(code402, message402).toResult(), false);
        return;
    }
    const QVariant message = r.value(QStringLiteral("message"));
    const bool hasMessage = message.typeId() == QMetaType::QString || Values::isNumber(message);
    if (!hasCode || !hasMessage) {
        finish(QVariantMap(), false);
        return;
    }
    finish(
        TarvelloError::sdk(number, SafeDictionary::safeObjectForKey(r, QStringLiteral("message")))
            .toResult(),
        false);
}

APIController* SDKAPI::newClient() {
    auto* client = new APIController();
    client->setDelegate(this);
    clients_.append(client);
    return client;
}

void SDKAPI::finishWithBatches(const std::optional<QVariantMap>& dictionary) {
    const QVariantMap answer = dictionary.value_or(QVariantMap());
    if (!isOK(answer)) {
        finishWithRefusal(answer.value(QStringLiteral("response")));
        return;
    }
    QVariantList batches;
    const QVariant data = answer.value(QStringLiteral("data"));
    if (data.typeId() == QMetaType::QVariantList) {
        for (const QVariant& entry : data.toList()) {
            const QVariant sdk = entry.toMap().value(QStringLiteral("sdk"));
            batches.append(sdk.typeId() == QMetaType::QVariantMap ? sdk.toMap() : QVariantMap());
        }
    }
    finish(QVariantMap{{QStringLiteral("batches"), batches}}, true);
}

bool SDKAPI::isOK(const QVariantMap& answer) {
    const QVariant success = answer.value(QStringLiteral("success"));
    return success.typeId() == QMetaType::QString && success.toString() == QLatin1String("OK");
}
