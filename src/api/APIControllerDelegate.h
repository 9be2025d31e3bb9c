#pragma once

#include "api/FunctionCode.h"

#include <TarvelloSDK/TarvelloError.h>

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <optional>

// Receives the answer of a delegate-style request of APIController, on the main thread, with
// the request's function code. Only apiDidFailWithError() is required; the optional ones
// return false when the delegate does not handle them, which the client treats as "not
// implemented" (for example it then falls back from sessionExpiredWithMessage() to
// sessionExpired()).
class APIControllerDelegate {
public:
    virtual ~APIControllerDelegate() = default;

    // The connection failed (unreachable server, refused certificate, time-out) or the request
    // could not be built.
    virtual void apiDidFailWithError(const TarvelloError& error, int functionName) = 0;

    // A reply arrived and the session is still valid. No dictionary when the reply was empty or
    // not JSON.
    virtual bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) {
        (void)functionName;
        (void)dictionary;
        return false;
    }

    // The raw bytes of a printable receipt (FunctionCode::GetToPrint).
    virtual bool apiDidFinishDownloadingWithData(int functionName, const QByteArray& data) {
        (void)functionName;
        (void)data;
        return false;
    }

    // The reply said the session is no longer valid, with the back end's message.
    virtual bool sessionExpiredWithMessage(const QString& message) {
        (void)message;
        return false;
    }

    // The session is no longer valid (a reply without a message, or the inactivity timer).
    virtual bool sessionExpired() { return false; }
};
