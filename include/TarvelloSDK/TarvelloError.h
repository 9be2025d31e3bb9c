#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>

// An error handed to the host: its domain ("TarvelloSDK" for the SDK's own), a numeric code,
// a human-readable description and, when another error caused it, that error.
struct TarvelloError {
    QString domain;
    qint64 code = 0;
    QString description;
    std::shared_ptr<const TarvelloError> underlying;

    static inline const QString sdkDomain = QStringLiteral("TarvelloSDK");

    static TarvelloError sdk(qint64 code, const QString& description) {
        return TarvelloError{sdkDomain, code, description, nullptr};
    }

    // The host's result dictionary of a failure: the error under "error".
    QVariantMap toResult() const {
        return QVariantMap{{QStringLiteral("error"), QVariant::fromValue(*this)}};
    }

    bool operator==(const TarvelloError& o) const {
        return domain == o.domain && code == o.code && description == o.description;
    }
};

Q_DECLARE_METATYPE(TarvelloError)

// The codes of the errors of domain "TarvelloSDK". A refusal of the back end is passed on with
// the back end's own code.
namespace TarvelloErrorCode {
inline constexpr qint64 UserCanceled = 1000;        // "User canceled"
inline constexpr qint64 UpdateRequired = 1001;      // the back end's update message
inline constexpr qint64 NotLoggedIn = 1002;         // "User is not logged in"
inline constexpr qint64 InvalidUserToken = 1003;    // "Invalid User Token", "Session expired"
inline constexpr qint64 Denied = 1004;              // the refusal text
inline constexpr qint64 InvalidAmount = 1100;       // "Invalid amount"
inline constexpr qint64 InvalidCurrencyCode = 1101; // "Invalid currency code"
inline constexpr qint64 InvalidBins = 1102;         // "Invalid bins"
inline constexpr qint64 InvalidRefundAmount = 1201; // "Invalid refund amount"
inline constexpr qint64 InvalidOperationId = 1202;  // "Invalid operation id"
inline constexpr qint64 AlreadyRefunded = 1203;     // "Transaction is already refunded"
} // namespace TarvelloErrorCode
